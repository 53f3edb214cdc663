#pragma once
// The plot: its rectangle, the left margin line, the channel separators and
// the channel numbers.

#include <cstdint>

#include "view/Canvas.h"
#include "view/DisplayColours.h"
#include "view/DisplaySize.h"

namespace korvalinx {

// The frame of a full repaint: the plot rectangle (10, 10, W - 10, H - 180)
// bordered in the frame colour and filled with the background, the margin
// line at x = 60, and the eight separators each followed by its channel
// number on a white box (Arial, 20 points). Leaves the brush white and the
// font set.
void DrawPlotFrame(Canvas& canvas, DisplaySize size, const DisplayColours& colours);

// The eight separators again, where erasing a marker or a square cut them.
void DrawChannelLines(Canvas& canvas, DisplaySize size, uint32_t background);

}  // namespace korvalinx
