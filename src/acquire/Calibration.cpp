#include "acquire/Calibration.h"

#include <chrono>

#include "port/Port.h"

namespace korvalinx {

int64_t MonotonicNowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

double MeasureMicrosPerRead(int32_t portBase, NanosecondClock clock) {
  const int64_t t0 = clock();
  for (int32_t i = 0; i < kCalibrationReads; ++i) (void)ReadPort(portBase);
  const int64_t t1 = clock();
  // A monotonic clock never runs backwards, so the time base cannot come
  // out negative; the nanosecond resolution keeps fast reads from
  // measuring as 0.
  return static_cast<double>(t1 - t0) * 1e-9;
}

}  // namespace korvalinx
