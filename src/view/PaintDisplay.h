#pragma once
// The drawing of the full repaint. The window moves its scroll bar and group
// and sets its labels itself.

#include <cstdint>

#include "view/Canvas.h"
#include "view/DisplayColours.h"
#include "view/DisplaySize.h"

namespace korvalinx {

// Frame, traces of the view (first, count), the marker lines over the
// traces, then the live input boxes (one port read). The previously drawn
// view is neither read nor changed.
void PaintDisplay(Canvas& canvas, DisplaySize size, const DisplayColours& colours,
                  const uint8_t* samples, int32_t first, int32_t count, int32_t mark1,
                  int32_t mark2, int32_t portBase);

}  // namespace korvalinx
