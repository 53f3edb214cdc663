// A capture file of the demo's lines, as the analyser saves one (one byte a
// sample, bit 0 = channel 1), decoded by sigrok-cli: its UART and SPI
// decoders must read what the generator sends. Skipped only when sigrok-cli
// is not installed.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "port/virtual/SignalGenerator.h"

namespace korvalinx::demo {
namespace {

namespace fs = std::filesystem;

constexpr int64_t kSamples = 1'048'576;            // a whole capture file
constexpr int64_t kSampleRate = 1'500'000;         // one sample every 0.6666 us
constexpr int64_t kFirstSampleNs = 3'700'012'345;  // mid-pattern, as a real capture starts

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
    capture =
        fs::path(::testing::TempDir()) / ("korvalinx-demo-" + std::to_string(::getpid()) + ".kvx");
    std::vector<char> samples(kSamples);
    for (int64_t i = 0; i < kSamples; ++i) {
      samples[i] = static_cast<char>(DemoLines(kFirstSampleNs + i * 1'000'000'000 / kSampleRate));
    }
    std::ofstream(capture, std::ios::binary).write(samples.data(), kSamples);
  }
  static void TearDownTestSuite() {
    if (!capture.empty()) fs::remove(capture);
  }
  void SetUp() override {
    if (sigrok.empty()) GTEST_SKIP() << "sigrok-cli is not installed";
    ASSERT_EQ(fs::file_size(capture), static_cast<uintmax_t>(kSamples));
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
};

TEST_F(SigrokInterop, UartDecoderReadsTheTextOnChannel2) {
  const std::string bytes = Decode("uart:rx=1:baudrate=115200", "uart=rx");
  // One text per 10 ms cycle: some 70 in the 0.7 s of the file.
  int texts = 0;
  for (size_t at = bytes.find(kUartText); at != std::string::npos;
       at = bytes.find(kUartText, at + 1)) {
    ++texts;
  }
  EXPECT_GE(texts, 65) << bytes.substr(0, 200);
}

TEST_F(SigrokInterop, SpiDecoderReadsTheTransfersOnChannels3To5) {
  const std::string bytes = Decode("spi:clk=2:mosi=3:cs=4", "spi=mosi");
  // Every transfer is "KVX" and its number; the file holds some 350.
  const size_t first = bytes.find("KVX");
  ASSERT_NE(first, std::string::npos) << bytes.substr(0, 64);
  const auto number = static_cast<uint8_t>(bytes[first + 3]);
  size_t transfers = 0;
  for (size_t at = first; at + 4 <= bytes.size(); at += 4, ++transfers) {
    ASSERT_EQ(bytes.substr(at, 3), "KVX") << "transfer " << transfers;
    ASSERT_EQ(static_cast<uint8_t>(bytes[at + 3]), static_cast<uint8_t>(number + transfers))
        << "transfer " << transfers;
  }
  EXPECT_GE(transfers, 340u);
}

}  // namespace
}  // namespace korvalinx::demo
