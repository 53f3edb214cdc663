#pragma once
// The arithmetic of moving, zooming and measuring the view window. The
// window applies the results to its scroll bar, labels and markers.

#include <cstdint>
#include <optional>

namespace korvalinx {

// The scroll bar's LargeChange and SmallChange (16-bit; SmallChange may be 0).
struct ScrollSteps {
  int32_t large = 10;
  int32_t small = 1;
};

struct ZoomState {
  uint32_t count;  // N, the visible sample count
  ScrollSteps steps;
};

// "+": N above 10 is halved; the steps follow the (new or kept) count, with
// the small step halved once more when it is 2 or above.
ZoomState ZoomIn(ZoomState state);

// "-": N below 0x80000 is doubled and the steps follow it; otherwise nothing
// changes.
ZoomState ZoomOut(ZoomState state);

struct MarkedZoom {
  uint32_t count;    // N
  int64_t position;  // the first sample, before the scroll bar clamps it
  ScrollSteps steps;
};

// "Marked": a view 1.2 times the marks' distance, centred on them. Nothing
// when the marks are equal (also both -1). The count is capped at the
// largest count the drawing takes, 0x7FFFFFFF.
std::optional<MarkedZoom> ZoomToMarks(int32_t mark1, int32_t mark2);

// The range of the scroll bar: 0 to 0x100000.
int32_t ClampScrollPosition(int64_t position);

// The sample under a mouse release at client x: first + ((x - 60) * count)
// / (W - 81), worked out in 64 bits and kept within the 32-bit range of a
// mark. Nothing left of the margin line (x <= 60), or when the plot has no
// width (W <= 81).
std::optional<int32_t> MarkFromClick(int x, int32_t first, uint32_t count, int width);

// The column of the marker line of `mark`: 60 + ((mark - first) * (W - 81))
// / count, truncating toward zero, in 64 bits so that no view overflows it.
// Needs count >= 1 (a smaller count is taken as 1).
int64_t MarkerColumn(int32_t mark, int32_t first, int32_t count, int width);

}  // namespace korvalinx
