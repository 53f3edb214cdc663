#include "acquire/CaptureSamples.h"

#include <algorithm>

#include "acquire/EdgeWaitLimit.h"
#include "acquire/SampleButton.h"
#include "acquire/SystemVersion.h"
#include "core/AnalyzerState.h"
#include "port/Port.h"

namespace korvalinx {
namespace {

SampleButton* sampleButton = nullptr;

int64_t SteadyNowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

QuietWaitBound quietBound = DefaultQuietWaitBound();

// Reads made between two looks at the clock: far apart enough that the clock
// costs nothing next to the reads, near enough to stop within milliseconds.
constexpr int64_t kReadsPerClockCheck = 1 << 16;

inline void DiscardReads(int32_t port, int32_t divisor) {
  for (int32_t d = 0; d < divisor; ++d) (void)ReadPort(port);
}

#ifdef _WIN32
inline void DisableInterrupts() { __asm__ __volatile__("cli"); }
inline void EnableInterrupts() { __asm__ __volatile__("sti"); }
#else
inline void DisableInterrupts() {}
inline void EnableInterrupts() {}
#endif

void QuietWait(int32_t port, int32_t delay, int32_t divisor, int32_t mask, double microsPerRead) {
  const int64_t readsPerPass = 1 + std::max(divisor, 0);
  // The deadline: the nominal time of the asked quiet period plus the grace.
  const long double askedNs =
      static_cast<long double>(std::max(delay, 0)) * readsPerPass * microsPerRead * 1000.0L;
  const int64_t graceNs = quietBound.grace.count();
  const int64_t limitNs =
      askedNs > 4.0e18L ? INT64_MAX / 2 : static_cast<int64_t>(std::max(askedNs, 0.0L)) + graceNs;
  const int64_t passesPerCheck = std::max<int64_t>(1, kReadsPerClockCheck / readsPerPass);

  int32_t reference = ReadPort(port) & mask;
  if (delay <= 0) return;
  const int64_t started = quietBound.nowNs();
  int64_t untilCheck = passesPerCheck;
  int32_t n = 0;
  while (n < delay) {
    DiscardReads(port, divisor);
    const int32_t v = ReadPort(port) & mask;
    if (v != reference) {
      reference = ReadPort(port) & mask;  // a fresh read, not v
      n = 0;
    } else {
      ++n;
    }
    if (--untilCheck == 0) {
      untilCheck = passesPerCheck;
      if (quietBound.nowNs() - started > limitNs) return;  // as if it had been quiet
    }
  }
}

}  // namespace

QuietWaitBound DefaultQuietWaitBound() {
  QuietWaitBound b;
  b.nowNs = &SteadyNowNs;
  return b;
}

void SetQuietWaitBound(const QuietWaitBound& bound) { quietBound = bound; }

void SetSampleButton(SampleButton* button) { sampleButton = button; }

void CaptureSamples(int32_t delay, int32_t divisor, int32_t mask, int32_t count) {
  AnalyzerState& state = analyzerState;
  const int32_t limit = EdgeWaitLimit(divisor, state.microsPerRead);
  if (sampleButton) {
    sampleButton->setCaption("Sampling");
    sampleButton->setEnabled(false);
  }
  const int32_t port = state.portBase;

  QuietWait(port, delay, divisor, mask, state.microsPerRead);

  if (IsWin9x()) DisableInterrupts();

  // Edge wait: at full read rate, either direction ends it. The read that
  // ends it is not stored.
  const int32_t reference = ReadPort(port) & mask;
  for (int32_t k = 0;; ++k) {
    if ((ReadPort(port) & mask) != reference) break;
    if (k >= limit) break;
  }

  // Capture loop. The count is clamped to the buffer: nothing is ever
  // written past its last sample.
  const int32_t n = std::min(count, kCaptureBufferSize);
  uint8_t* const samples = state.buffer.data();
  if (divisor > 0) {
    for (int32_t i = 0; i < n; ++i) {
      samples[i] = ReadPort(port);
      DiscardReads(port, divisor);
    }
  } else {
    for (int32_t i = 0; i < n; ++i) samples[i] = ReadPort(port);
  }

  if (IsWin9x()) EnableInterrupts();  // asked again, as before the loops
  if (sampleButton) {
    sampleButton->setCaption("Sample");
    sampleButton->setEnabled(true);
  }
}

}  // namespace korvalinx
