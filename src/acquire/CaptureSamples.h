#pragma once
#include <chrono>
#include <cstdint>

namespace korvalinx {

// One triggered capture into the capture buffer: a quiet wait until the
// trigger bit (`mask`) has kept its level for `delay` sample periods, an edge
// wait for a change of that bit (bounded by EdgeWaitLimit), then `count`
// samples, each followed by `divisor` discarded reads. Stores at most the
// buffer's 1,048,576 samples. A stop request (CaptureStop.h) ends any of the
// three phases within 65,536 reads; the samples stored before it stay, the
// rest of the buffer is untouched.
void CaptureSamples(int32_t delay, int32_t divisor, int32_t mask, int32_t count);

// The quiet wait gives up (and goes on with the edge wait) once it has run
// this much longer than the quiet period it was asked for would take, so a
// trigger line that never stays quiet cannot hold the program for ever.
struct QuietWaitBound {
  std::chrono::nanoseconds grace{std::chrono::seconds(3)};
  // A cheap monotonic clock; tests replace it.
  int64_t (*nowNs)() = nullptr;
};
void SetQuietWaitBound(const QuietWaitBound& bound);
QuietWaitBound DefaultQuietWaitBound();

}  // namespace korvalinx
