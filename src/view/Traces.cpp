#include "view/Traces.h"

#include <algorithm>

#include "core/AnalyzerState.h"
#include "view/RowGeometry.h"
#include "view/TraceColumnRule.h"
#include "view/TraceColumns.h"

namespace korvalinx {

void DrawTraces(Canvas& canvas, DisplaySize size, const uint8_t* samples, uint32_t colour,
                int32_t first, int32_t count) {
  canvas.setPenColor(colour);
  if (!HasPlotWidth(size) || count < 1 || samples == nullptr) return;
  // A view that starts past the last sample (the scroll bar's maximum) has
  // no sample to draw from.
  if (first < 0 || first >= kCaptureBufferSize) return;

  const RowGeometry rows = RowGeometry::ForHeight(size.height);
  const TraceColumnRule rule(size.width, count);
  // The trace stops where the next sample would lie past the buffer.
  const int64_t stop = std::min<int64_t>(count, kCaptureBufferSize - 1 - first);
  const uint8_t* view = samples + first;

  DrawTraceColumns(canvas, rows, rule, view, stop);

  if (count < 100) {
    // The square at column j marks the start of sample first + j + 1. At
    // two pixels high the border covers it all, whatever the brush.
    for (int c = 0; c < kChannelCount; ++c) {
      for (int64_t j = 0; j < stop; ++j) {
        const int y = rows.level(c, view[j + 1]);
        canvas.rectangle(rule.column(j), y, rule.squareRight(j), y + 2);
      }
    }
  }
}

}  // namespace korvalinx
