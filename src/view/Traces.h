#pragma once
// The eight square-wave traces of a view window.

#include <cstdint>

#include "view/Canvas.h"
#include "view/DisplaySize.h"

namespace korvalinx {

// Draws the traces of the view (first, count) from `samples`, the capture
// buffer of 0x100000 samples, in `colour`: sample `first` is the starting
// point at x = 61, sample first + k runs from column k - 1 to column k, and
// views shorter than 100 samples get a 2 x 2 square at the start of every
// sample. The traces stop at the buffer's last sample. Nothing is drawn for
// a plot without width (W <= 81), a count below 1, or a `first` outside the
// buffer.
void DrawTraces(Canvas& canvas, DisplaySize size, const uint8_t* samples, uint32_t colour,
                int32_t first, int32_t count);

}  // namespace korvalinx
