#pragma once
// The eight live input boxes in the left margin.

#include <cstdint>

#include "view/Canvas.h"
#include "view/DisplaySize.h"

namespace korvalinx {

// Reads the port at `portBase` once and draws box k = 1..8 (data line k - 1)
// from (40, kR - 10) to (50, kR): blue outline, white inside for a line at
// 1, black for a line at 0. Nothing else is drawn or erased.
void DrawInputIndicator(Canvas& canvas, DisplaySize size, int32_t portBase);

}  // namespace korvalinx
