#pragma once
// The one process-wide analyzer state. Every handler works on this single
// instance; it is ready (with its initial values) before the window exists.

#include <array>
#include <cstdint>

namespace korvalinx {

inline constexpr int32_t kCaptureBufferSize = 0x100000;  // 1,048,576 samples
inline constexpr int32_t kTimeTextSize = 36;

struct AnalyzerState {
  // I/O address of the data register; only the low 16 bits reach a port.
  int32_t portBase = 0x378;
  // The time base: how long one port read takes, in microseconds.
  double microsPerRead = 0.6666;
  // Markers: sample indexes, -1 until placed.
  int32_t mark1 = -1;
  int32_t mark2 = -1;
  // The marks as the incremental redraw last drew them.
  int32_t prevMark1 = -1;
  int32_t prevMark2 = -1;
  // While non-zero, Sample and the Continous box warn first.
  int32_t firstUseWarning = 1;
  // Port reads discarded after each stored sample; mirrors txtRate.
  uint32_t divisor = 0;
  // Samples in the view window.
  uint32_t visibleCount = 100;
  // Where the display handlers have their time texts written.
  char timeText[kTimeTextSize] = {};
  // Sample i: bit n is channel n+1 (data line n), 1 = high.
  std::array<uint8_t, kCaptureBufferSize> buffer{};
};

// The single instance. Lives in static storage for the whole process, so the
// capture buffer is never allocated per capture.
extern AnalyzerState analyzerState;

}  // namespace korvalinx
