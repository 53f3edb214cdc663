#pragma once
#include <cstdint>

namespace korvalinx {

inline constexpr int32_t kCalibrationReads = 1000000;

// A monotonic clock in nanoseconds.
using NanosecondClock = int64_t (*)();
int64_t MonotonicNowNs();

// Times one million reads of the data register and returns how long one
// read took, in microseconds: the seconds that the million reads took are
// numerically the microseconds of one. The clock is read only before and
// after the loop, and the loop does nothing but the read, so the result is
// the per-read cost of the capture loops.
double MeasureMicrosPerRead(int32_t portBase, NanosecondClock clock = &MonotonicNowNs);

}  // namespace korvalinx
