#include "acquire/CaptureSamples.h"

#include <algorithm>

#include "acquire/CaptureStop.h"
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

// Reads made between two looks at the clock or at a stop request: far apart
// enough that a look costs nothing next to the reads, near enough to stop
// within tens of milliseconds (65,536 reads of 0.67 us take 44 ms).
constexpr int64_t kReadsPerCheck = 1 << 16;

inline void DiscardReads(int32_t port, int32_t divisor) {
  for (int32_t d = 0; d < divisor; ++d) (void)ReadPort(port);
}

// The discarded reads of a sample period longer than one check's worth of
// reads, with a look for a stop request after each check's worth. Returns
// false when a stop was asked.
bool DiscardReadsChecked(int32_t port, int32_t divisor) {
  int32_t left = divisor;
  while (left > 0) {
    const auto chunk = static_cast<int32_t>(std::min<int64_t>(left, kReadsPerCheck));
    DiscardReads(port, chunk);
    left -= chunk;
    if (CaptureStopRequested()) return false;
  }
  return true;
}

#ifdef _WIN32
inline void DisableInterrupts() {
  __asm__ __volatile__("cli");
}
inline void EnableInterrupts() {
  __asm__ __volatile__("sti");
}
#else
inline void DisableInterrupts() {}
inline void EnableInterrupts() {}
#endif

// Returns false when a stop was asked.
bool QuietWait(int32_t port, int32_t delay, int32_t divisor, int32_t mask, double microsPerRead) {
  const int64_t readsPerPass = 1 + static_cast<int64_t>(std::max(divisor, 0));
  // The deadline: the nominal time of the asked quiet period plus the grace.
  const long double askedNs =
      static_cast<long double>(std::max(delay, 0)) * readsPerPass * microsPerRead * 1000.0L;
  const int64_t graceNs = quietBound.grace.count();
  const int64_t limitNs =
      askedNs > 4.0e18L ? INT64_MAX / 2 : static_cast<int64_t>(std::max(askedNs, 0.0L)) + graceNs;
  const int64_t passesPerCheck = std::max<int64_t>(1, kReadsPerCheck / readsPerPass);
  const bool longPass = readsPerPass > kReadsPerCheck;

  int32_t reference = ReadPort(port) & mask;
  if (delay <= 0) return true;
  const int64_t started = quietBound.nowNs();
  int64_t untilCheck = passesPerCheck;
  int32_t n = 0;
  while (n < delay) {
    if (longPass) {
      if (!DiscardReadsChecked(port, divisor)) return false;
    } else {
      DiscardReads(port, divisor);
    }
    const int32_t v = ReadPort(port) & mask;
    if (v != reference) {
      reference = ReadPort(port) & mask;  // a fresh read, not v
      n = 0;
    } else {
      ++n;
    }
    if (--untilCheck == 0) {
      untilCheck = passesPerCheck;
      if (CaptureStopRequested()) return false;
      if (quietBound.nowNs() - started > limitNs) return true;  // as if it had been quiet
    }
  }
  return true;
}

// At full read rate, either direction ends it; at most limit + 1
// comparisons. The read that ends it is not stored. Returns false when a
// stop was asked.
bool EdgeWait(int32_t port, int32_t mask, int32_t limit) {
  const int32_t reference = ReadPort(port) & mask;
  int64_t left = static_cast<int64_t>(std::max(limit, 0)) + 1;
  for (;;) {
    const int64_t chunk = std::min(left, kReadsPerCheck);
    left -= chunk;
    for (int64_t k = 0; k < chunk; ++k)
      if ((ReadPort(port) & mask) != reference) return true;
    if (left == 0) return true;  // the limit ran out: capture untriggered
    if (CaptureStopRequested()) return false;
  }
}

// One stored read per sample period, then `divisor` discarded reads. Each
// inner loop is the bare loop; a stop request is looked at between runs of
// one check's worth of reads, and what was stored before it stays.
void CaptureLoop(uint8_t* const samples, int32_t n, int32_t port, int32_t divisor) {
  const int64_t readsPerSample = 1 + static_cast<int64_t>(std::max(divisor, 0));
  if (readsPerSample > kReadsPerCheck) {
    for (int32_t i = 0; i < n; ++i) {
      samples[i] = ReadPort(port);
      if (!DiscardReadsChecked(port, divisor)) return;
    }
    return;
  }
  const auto perCheck = static_cast<int32_t>(kReadsPerCheck / readsPerSample);
  int32_t i = 0;
  while (i < n) {
    const int32_t end = n - i > perCheck ? i + perCheck : n;
    if (divisor > 0) {
      for (; i < end; ++i) {
        samples[i] = ReadPort(port);
        DiscardReads(port, divisor);
      }
    } else {
      for (; i < end; ++i) samples[i] = ReadPort(port);
    }
    if (CaptureStopRequested()) return;
  }
}

}  // namespace

QuietWaitBound DefaultQuietWaitBound() {
  QuietWaitBound b;
  b.nowNs = &SteadyNowNs;
  return b;
}

void SetQuietWaitBound(const QuietWaitBound& bound) {
  quietBound = bound;
}

void SetSampleButton(SampleButton* button) {
  sampleButton = button;
}

void CaptureSamples(int32_t delay, int32_t divisor, int32_t mask, int32_t count) {
  AnalyzerState& state = analyzerState;
  const int32_t limit = EdgeWaitLimit(divisor, state.microsPerRead);
  if (sampleButton) {
    sampleButton->setCaption("Sampling");
    sampleButton->setEnabled(false);
  }
  const int32_t port = state.portBase;

  if (QuietWait(port, delay, divisor, mask, state.microsPerRead)) {
    if (IsWin9x()) DisableInterrupts();
    // The count is clamped to the buffer: nothing is ever written past its
    // last sample.
    if (EdgeWait(port, mask, limit))
      CaptureLoop(state.buffer.data(), std::min(count, kCaptureBufferSize), port, divisor);
    if (IsWin9x()) EnableInterrupts();  // asked again, as before the loops
  }

  if (sampleButton) {
    sampleButton->setCaption("Sample");
    sampleButton->setEnabled(true);
  }
}

}  // namespace korvalinx
