#include "LineByLineTraces.h"

namespace korvalinx::testing {

void DrawTracesLineByLine(Canvas& canvas, DisplaySize size, const uint8_t* samples, uint32_t colour,
                          int32_t first, int32_t count) {
  canvas.setPenColor(colour);
  if (size.width <= 81 || count < 1 || first < 0 || first > 0xFFFFF) return;

  const int r = (size.height - 190) / 8;
  const int q = r / 10;
  const int a = r - 2 * q;
  const long double step = static_cast<long double>(static_cast<float>(size.width - 81)) /
                           static_cast<long double>(count);
  auto column = [&](int64_t j, long double offset) {
    return static_cast<int>(static_cast<long double>(j) * step + offset);
  };

  for (int c = 0; c < 8; ++c) {
    auto level = [&](uint8_t sample) {
      const int low = (c + 1) * r + 10 - q;
      return (sample >> c) & 1 ? low - a : low;
    };
    canvas.moveTo(61, level(samples[first]));
    int64_t j = 0;
    for (; j < count; ++j) {
      if (first + j + 1 >= 0x100000) break;
      const uint8_t now = samples[first + j];
      const uint8_t next = samples[first + j + 1];
      if (((now ^ next) >> c) & 1) {
        canvas.lineTo(column(j, 61), level(now));
        canvas.lineTo(column(j, 61), level(next));
      }
      if (count < 100) {
        const int y = level(next);
        canvas.rectangle(column(j, 61), y, column(j, 63), y + 2);
      }
    }
    canvas.lineTo(column(j, 61), level(samples[first + j]));
  }
}

}  // namespace korvalinx::testing
