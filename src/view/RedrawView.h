#pragma once
// The incremental redraw: erase the previously drawn view by drawing it again
// in the background colour, then draw the new one. The window is never
// cleared, so navigation touches only the pixels of old and new traces and
// marker lines.

#include <cstdint>

#include "view/Canvas.h"
#include "view/DisplayColours.h"
#include "view/DisplaySize.h"

namespace korvalinx {

// The view as the incremental redraw drew it last. InitView starts it at
// 0 and 100 with no marks; only RedrawView changes it.
struct PreviousView {
  int32_t first = 0;
  int32_t count = 100;
  int32_t mark1 = -1;
  int32_t mark2 = -1;
};

// Erases `previous` (markers, then traces, in the background colour), records
// the new view in it, and draws the new markers and then the traces over
// them. Erasing redraws from the present samples, colours and size, so it
// removes exactly the old picture only while those are unchanged. The
// separators that erasing cut are mended by DrawChannelLines afterwards.
void RedrawView(Canvas& canvas, DisplaySize size, const DisplayColours& colours,
                const uint8_t* samples, PreviousView& previous, int32_t first, int32_t count,
                int32_t mark1, int32_t mark2);

}  // namespace korvalinx
