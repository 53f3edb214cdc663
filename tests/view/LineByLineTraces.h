#pragma once
// The traces drawn the plain way, every level change as two lines through
// the canvas and every square as a rectangle: the yardstick for the column
// by column drawing.

#include <cstdint>

#include "view/Canvas.h"
#include "view/DisplaySize.h"

namespace korvalinx::testing {

void DrawTracesLineByLine(Canvas& canvas, DisplaySize size, const uint8_t* samples, uint32_t colour,
                          int32_t first, int32_t count);

}  // namespace korvalinx::testing
