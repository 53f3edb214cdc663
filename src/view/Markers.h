#pragma once
// The vertical marker lines of the two marks.

#include <cstdint>

#include "view/Canvas.h"
#include "view/DisplaySize.h"

namespace korvalinx {

// Mark 1, then mark 2, each only when first < mark < first + count: a line in
// `colour` from y = 11 down to H - 181 (excluded), one pixel inside the plot
// border. A mark equal to first or first + count, or -1, draws nothing; so
// does every mark on a plot without width (W <= 81).
void DrawMarkers(Canvas& canvas, DisplaySize size, uint32_t colour, int32_t first, int32_t count,
                 int32_t mark1, int32_t mark2);

}  // namespace korvalinx
