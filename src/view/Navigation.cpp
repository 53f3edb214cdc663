#include "view/Navigation.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "core/AnalyzerState.h"

namespace korvalinx {
namespace {

constexpr uint32_t kLargestCount = std::numeric_limits<int32_t>::max();

// The steps are written straight to the scroll bar, so the small one may be 0.
ScrollSteps StepsFor(uint32_t count) {
  return {count < 0x8000 ? static_cast<int32_t>(count) : 0x7FFF,
          count < 0xA0000 ? static_cast<int32_t>(count / 20) : 0x7FFF};
}

}  // namespace

ZoomState ZoomIn(ZoomState state) {
  if (state.count > 10) state.count /= 2;
  state.steps = StepsFor(state.count);
  if (state.steps.small >= 2) state.steps.small /= 2;
  return state;
}

ZoomState ZoomOut(ZoomState state) {
  if (state.count < 0x80000) {
    state.count *= 2;
    state.steps = StepsFor(state.count);
  }
  return state;
}

std::optional<MarkedZoom> ZoomToMarks(int32_t mark1, int32_t mark2) {
  if (mark1 == mark2) return std::nullopt;
  const int64_t distance = std::llabs(static_cast<int64_t>(mark2) - mark1);
  // 1.2 is the double just below 1.2 and the product is extended, so a
  // distance whose 1.2-fold is whole gives one less: (6D - 1) / 5.
  const long double product = static_cast<long double>(distance) * static_cast<long double>(1.2);
  const auto wanted = static_cast<int64_t>(product);
  const auto count = static_cast<uint32_t>(std::min<int64_t>(wanted, kLargestCount));
  // Both halvings truncate, the signed sum toward zero.
  const int64_t position = (static_cast<int64_t>(mark1) + mark2) / 2 - count / 2;
  return MarkedZoom{count, position, StepsFor(count)};
}

int32_t ClampScrollPosition(int64_t position) {
  return static_cast<int32_t>(std::clamp<int64_t>(position, 0, kCaptureBufferSize));
}

std::optional<int32_t> MarkFromClick(int x, int32_t first, uint32_t count, int width) {
  if (x <= 60 || width <= 81) return std::nullopt;
  const int64_t offset =
      (static_cast<int64_t>(x) - 60) * count / (static_cast<int64_t>(width) - 81);
  const int64_t mark = static_cast<int64_t>(first) + offset;
  return static_cast<int32_t>(std::clamp<int64_t>(mark, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int64_t MarkerColumn(int32_t mark, int32_t first, int32_t count, int width) {
  const int64_t divisor = std::max<int32_t>(count, 1);
  return 60 + (static_cast<int64_t>(mark) - first) * (static_cast<int64_t>(width) - 81) / divisor;
}

}  // namespace korvalinx
