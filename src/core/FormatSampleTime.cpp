#include "core/FormatSampleTime.h"

#include <cstdio>

#include "core/AnalyzerState.h"

namespace korvalinx {

char* FormatSampleTime(int32_t count, char* text, int size, double microsPerRead,
                       uint32_t divisor) {
  // One sample period is the stored read plus `divisor` discarded reads (a
  // negative divisor, stored as its 32-bit pattern, discards none), so a
  // sample lasts 1 + divisor reads. Products in extended precision, the
  // result held as a double.
  const auto discarded = static_cast<int32_t>(divisor) > 0 ? divisor : 0u;
  const long double product = static_cast<long double>(count) * microsPerRead *
                              (1.0L + static_cast<long double>(discarded));
  double t = static_cast<double>(product);
  const char* unit = "us";
  if (t > 1000) {
    t = t * 0.001;
    unit = "ms";
    if (t > 1000) {
      t = t * 0.001;
      unit = "s";
    }
  }
  // snprintf bounds an absurdly long text (a time base far beyond any real
  // port) to the buffer instead of running past it.
  if (size > 0) std::snprintf(text, static_cast<size_t>(size), "%2.2f %s", t, unit);
  return text;
}

char* FormatSampleTime(int32_t count, char* text, int size) {
  return FormatSampleTime(count, text, size, analyzerState.microsPerRead, analyzerState.divisor);
}

std::string SampleTimeText(int32_t count) {
  char text[kTimeTextSize];
  return FormatSampleTime(count, text, kTimeTextSize);
}

}  // namespace korvalinx
