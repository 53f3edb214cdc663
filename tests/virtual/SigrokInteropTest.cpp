// A capture through the demo's virtual port, taken as the window takes one
// (calibration, then CaptureSamples of the whole buffer on trigger channel 2
// with the default pre-trigger delay and divisor), saved as a capture file
// and decoded by sigrok-cli: its UART and SPI decoders must read exactly what
// the generator sends. Every read stands for its own instant whatever the
// scheduler does, so a single gap in the schedule shows as a broken text.
// Skipped only when sigrok-cli is not installed.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "acquire/Calibration.h"
#include "acquire/CaptureSamples.h"
#include "core/AnalyzerState.h"
#include "files/CaptureFile.h"
#include "port/virtual/SignalGenerator.h"

namespace korvalinx::demo {
namespace {

namespace fs = std::filesystem;

constexpr int64_t kSampleRate = 1'500'000;  // one sample every 0.6666 us, as docs/demo.md
constexpr int32_t kDelay = 1000;            // the window's default pre-trigger delay
constexpr int32_t kTriggerMask = 1 << kUartBit;

std::string FindOnPath(std::string_view program) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "";
  while (!rest.empty()) {
    const size_t colon = rest.find(':');
    const fs::path candidate = fs::path(rest.substr(0, colon)) / program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
    rest = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
  }
  return {};
}

class SigrokInterop : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sigrok = FindOnPath("sigrok-cli");
    if (sigrok.empty()) return;
    AnalyzerState& state = analyzerState;
    calibrated = MeasureMicrosPerRead(state.portBase);
    state.microsPerRead = calibrated;
    CaptureSamples(kDelay, 0, kTriggerMask, kCaptureBufferSize);
    capture =
        fs::path(::testing::TempDir()) / ("korvalinx-demo-" + std::to_string(::getpid()) + ".kvx");
    saved = SaveCaptureFile(capture.string(), state.buffer.data());
  }
  static void TearDownTestSuite() {
    if (!capture.empty()) fs::remove(capture);
  }
  void SetUp() override {
    if (sigrok.empty()) GTEST_SKIP() << "sigrok-cli is not installed";
    ASSERT_TRUE(saved.ok) << saved.message;
  }

  // The bytes that a decoder writes for the capture file (sigrok names the
  // channels of a binary input 0 to 7: channel n of the analyser is n-1).
  static std::string Decode(const std::string& decoder, const std::string& binaryClass) {
    const std::string command =
        "'" + sigrok + "' -i '" + capture.string() +
        "' -I binary:numchannels=8:samplerate=" + std::to_string(kSampleRate) + " -P " + decoder +
        " -B " + binaryClass;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
      ADD_FAILURE() << "cannot run " << command;
      return {};
    }
    std::string out;
    std::array<char, 4096> chunk;
    while (const size_t n = std::fread(chunk.data(), 1, chunk.size(), pipe))
      out.append(chunk.data(), n);
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    return out;
  }

  static inline std::string sigrok;
  static inline fs::path capture;
  static inline FileResult saved;
  static inline double calibrated = 0;
};

TEST_F(SigrokInterop, CalibrationMeasuresNoReadShorterThanARealOne) {
  EXPECT_GE(calibrated, 0.6666);
}

TEST_F(SigrokInterop, EveryHalfPeriodOfThe10kHzLineHasItsLength) {
  // 50 us is 75.0 samples: every edge of channel 8 falls 75 or 76 samples
  // after the one before.
  constexpr uint8_t kBit = 1u << kFastSquareBit;
  const uint8_t* samples = analyzerState.buffer.data();
  int32_t lastEdge = -1;
  int halfPeriods = 0;
  for (int32_t i = 1; i < kCaptureBufferSize; ++i) {
    if (((samples[i] ^ samples[i - 1]) & kBit) == 0) continue;
    if (lastEdge >= 0) {
      ASSERT_GE(i - lastEdge, 74) << "half period ending at sample " << i;
      ASSERT_LE(i - lastEdge, 76) << "half period ending at sample " << i;
      ++halfPeriods;
    }
    lastEdge = i;
  }
  EXPECT_GE(halfPeriods, 13'970);
}

TEST_F(SigrokInterop, UartDecoderReadsEveryTextOnChannel2) {
  const std::string bytes = Decode("uart:rx=1:baudrate=115200", "uart=rx");
  const std::string_view text = kUartText;
  // The capture starts inside the start bit of a text, which the decoder
  // cannot see fall, so it may read that first text wrongly; after it, whole
  // texts and nothing else, up to a text that the end of the capture cuts.
  const size_t first = bytes.find(text);
  ASSERT_NE(first, std::string::npos) << bytes.substr(0, 64);
  ASSERT_LE(first, text.size()) << bytes.substr(0, first);
  size_t at = first;
  int texts = 0;
  for (; at + text.size() <= bytes.size(); at += text.size(), ++texts) {
    ASSERT_EQ(bytes.substr(at, text.size()), text) << "text " << texts;
  }
  EXPECT_TRUE(text.starts_with(bytes.substr(at))) << bytes.substr(at);
  // One text per 10 ms cycle: the 0.699 s of a capture hold 69 whole ones.
  EXPECT_GE(texts, 69);
}

TEST_F(SigrokInterop, SpiDecoderReadsEveryTransferOnChannels3To5) {
  const std::string bytes = Decode("spi:clk=2:mosi=3:cs=4", "spi=mosi");
  // Every transfer is "KVX" and its number; the capture starts 30 us before
  // one, so the first decoded byte begins one.
  ASSERT_EQ(bytes.substr(0, 3), "KVX") << bytes.substr(0, 64);
  const auto number = static_cast<uint8_t>(bytes[3]);
  size_t transfers = 0;
  size_t at = 0;
  for (; at + 4 <= bytes.size(); at += 4, ++transfers) {
    ASSERT_EQ(bytes.substr(at, 3), "KVX") << "transfer " << transfers;
    ASSERT_EQ(static_cast<uint8_t>(bytes[at + 3]), static_cast<uint8_t>(number + transfers))
        << "transfer " << transfers;
  }
  EXPECT_TRUE(std::string_view("KVX").starts_with(bytes.substr(at))) << bytes.substr(at);
  // A transfer every 2 ms: 349 whole ones in 0.699 s.
  EXPECT_GE(transfers, 349u);
}

}  // namespace
}  // namespace korvalinx::demo
