// How faithfully the demo's virtual port captures its signals: calibrates as
// the program does at start-up, captures the whole buffer as the window does
// (pre-trigger delay 1000, divisor 0, trigger channel 2), saves the capture
// file for sigrok-cli and counts the half periods of the 10 kHz square wave
// (channel 8) that came out shorter or longer than they are. A read that does
// not stand for its own instant (a gap in the schedule) cuts a half period
// short.
//
//   build/default/bench/demo_capture_gaps capture.kvx [captures]
//
// Decode the saved file with the commands of docs/demo.md.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "acquire/Calibration.h"
#include "acquire/CaptureSamples.h"
#include "core/AnalyzerState.h"
#include "files/CaptureFile.h"
#include "port/virtual/SignalGenerator.h"

namespace korvalinx {
namespace {

struct HalfPeriods {
  int total = 0;
  int shorter = 0;
  int longer = 0;
  int shortest = 0;
};

// The whole half periods between edges of the 10 kHz line. Half a period is
// 50 us, 75.0 samples of 0.6666 us: a length of 74 to 76 samples is true.
HalfPeriods CountHalfPeriods(const uint8_t* samples, int32_t count) {
  constexpr uint8_t kBit = 1u << demo::kFastSquareBit;
  HalfPeriods h;
  h.shortest = count;
  int32_t lastEdge = -1;
  for (int32_t i = 1; i < count; ++i) {
    if (((samples[i] ^ samples[i - 1]) & kBit) == 0) continue;
    if (lastEdge >= 0) {
      const int32_t length = i - lastEdge;
      ++h.total;
      if (length < 74) ++h.shorter;
      if (length > 76) ++h.longer;
      if (length < h.shortest) h.shortest = length;
    }
    lastEdge = i;
  }
  return h;
}

}  // namespace
}  // namespace korvalinx

int main(int argc, char** argv) {
  using namespace korvalinx;
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s capture.kvx [captures]\n", argv[0]);
    return 2;
  }
  const int captures = argc > 2 ? std::atoi(argv[2]) : 1;
  AnalyzerState& state = analyzerState;
  // The window's start-up: the splash timer calibrates after its pause.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  state.microsPerRead = MeasureMicrosPerRead(state.portBase);
  std::printf("calibration: %.4f us per read\n", state.microsPerRead);
  for (int c = 0; c < captures; ++c) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the GUI between captures
    CaptureSamples(1000, 0, 0x02, kCaptureBufferSize);
    const HalfPeriods h = CountHalfPeriods(state.buffer.data(), kCaptureBufferSize);
    const double sampleUs = 1e6 / 1'500'000;
    std::printf(
        "capture %d: %d half periods of channel 8, %d cut short (shortest %d samples, %.1f us "
        "short), %d stretched\n",
        c + 1, h.total, h.shorter, h.shortest, (75 - h.shortest) * sampleUs, h.longer);
  }
  if (const FileResult saved = SaveCaptureFile(argv[1], state.buffer.data()); !saved) {
    std::fprintf(stderr, "%s\n", saved.message.c_str());
    return 1;
  }
  return 0;
}
