#include "view/TraceColumns.h"

#include <array>

namespace korvalinx {

void DrawTraceColumns(Canvas& canvas, const RowGeometry& rows, const TraceColumnRule& rule,
                      const uint8_t* view, int64_t stop) {
  // Where each channel's present horizontal run began; every trace starts
  // at x = 61.
  std::array<int, kChannelCount> runStart;
  runStart.fill(61);
  uint8_t levels = view[0];

  for (int64_t j = 0; j < stop;) {
    // Samples j..next-1 share one column; collect which channels change
    // there at all, and which change more than once.
    const int64_t next = rule.nextColumnStart(j, stop);
    uint8_t once = 0, twice = 0;
    for (int64_t i = j; i < next; ++i) {
      const uint8_t changed = view[i] ^ view[i + 1];
      twice |= once & changed;
      once |= changed;
    }
    if (once != 0) {
      const int x = rule.column(j);
      for (int c = 0; c < kChannelCount; ++c) {
        const uint8_t bit = 1u << c;
        if (!(once & bit)) continue;
        const int from = rows.level(c, levels);
        const int to = rows.level(c, static_cast<uint8_t>(levels ^ bit));
        // The run so far ends just before this column.
        canvas.moveTo(runStart[c], from);
        canvas.lineTo(x, from);
        if (!(twice & bit)) {
          // One change: from its old level up to, not including, the new.
          canvas.lineTo(x, to);
        } else if (from != to) {
          // Changes both ways: the two spans together cover both levels.
          canvas.lineTo(x, to + (to > from ? 1 : -1));
        }
        // The next run starts in this column, at the level it ends with.
        runStart[c] = x;
      }
    }
    levels = view[next];
    j = next;
  }

  // The last runs end just before the column of the last sample read.
  const int end = rule.column(stop);
  for (int c = 0; c < kChannelCount; ++c) {
    canvas.moveTo(runStart[c], rows.level(c, levels));
    canvas.lineTo(end, rows.level(c, levels));
  }
}

}  // namespace korvalinx
