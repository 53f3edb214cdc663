#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <vector>

#include "TempFolder.h"
#include "files/TransitionReport.h"

namespace korvalinx {
namespace {

constexpr int32_t kLast = kCaptureBufferSize - 1;

// Bit 0 toggles on every sample, bit 1 never changes, bit 2 rises between
// samples 499 and 500, bit 7 rises between the last two samples.
std::vector<uint8_t> Fixture() {
  std::vector<uint8_t> samples(kCaptureBufferSize);
  for (int32_t i = 0; i < kCaptureBufferSize; ++i) {
    samples[i] =
        static_cast<uint8_t>((i & 1) | 0x02 | (i >= 500 ? 0x04 : 0) | (i == kLast ? 0x80 : 0));
  }
  return samples;
}

std::string Report(const std::array<int, 8>& counts) {
  std::string text;
  for (int b = 0; b < 8; ++b) {
    char line[48];
    std::snprintf(line, sizeof line, "Ch[%d]: %d Changes\n", b, counts[b]);
    text += line;
  }
  return text;
}

bool CountersAreZero() {
  return std::all_of(changeCounters.begin(), changeCounters.end(),
                     [](uint8_t c) { return c == 0; });
}

TEST(TransitionReport, CountsChangesBetweenTheMarks) {
  const std::vector<uint8_t> samples = Fixture();
  struct Case {
    int32_t mark1;
    int32_t mark2;
    std::array<int, 8> counts;
  };
  const Case cases[] = {
      {10, 10, {1, 0, 0, 0, 0, 0, 0, 0}},
      {10, 19, {10, 0, 0, 0, 0, 0, 0, 0}},
      {499, 499, {1, 0, 1, 0, 0, 0, 0, 0}},    // change to sample mark2 + 1 counts
      {500, 600, {101, 0, 0, 0, 0, 0, 0, 0}},  // change into sample mark1 does not
      {20, 10, {0, 0, 0, 0, 0, 0, 0, 0}},
      {5, -1, {0, 0, 0, 0, 0, 0, 0, 0}},
      // Marks outside the buffer are clipped to samples that exist.
      {-1, 9, {10, 0, 0, 0, 0, 0, 0, 0}},
      {-1, -1, {0, 0, 0, 0, 0, 0, 0, 0}},
      {kLast - 5, kLast, {5, 0, 0, 0, 0, 0, 0, 1}},
      {kLast - 5, INT32_MAX, {5, 0, 0, 0, 0, 0, 0, 1}},
      {kLast, kLast + 10, {0, 0, 0, 0, 0, 0, 0, 0}},
      {INT32_MIN, INT32_MAX, {kLast, 0, 1, 0, 0, 0, 0, 1}},
  };
  TempFolder folder;
  const std::string path = folder.file("stat.txt");
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteTransitionReport(path, samples.data(), c.mark1, c.mark2));
    EXPECT_EQ(ReadBytes(path), Report(c.counts)) << c.mark1 << ".." << c.mark2;
    EXPECT_TRUE(CountersAreZero()) << c.mark1 << ".." << c.mark2;
  }
  EXPECT_EQ(folder.names(), std::vector<std::string>{"stat.txt"});
}

TEST(TransitionReport, ReplacesTheFileAndRepeatsExactly) {
  std::vector<uint8_t> samples(kCaptureBufferSize, 0);
  for (int i = 0; i < 12; ++i) samples[100 + i] = (i % 2 == 0) ? 0x01 : 0x00;  // bit 0: 12 changes
  samples[200] = 0x04;  // bit 2: up and down twice
  samples[202] = 0x04;
  TempFolder folder;
  const std::string path = folder.file("stat.txt");
  WriteBytes(path, std::string(4000, '#'));

  const std::string expected =
      "Ch[0]: 12 Changes\nCh[1]: 0 Changes\nCh[2]: 4 Changes\nCh[3]: 0 Changes\n"
      "Ch[4]: 0 Changes\nCh[5]: 0 Changes\nCh[6]: 0 Changes\nCh[7]: 0 Changes\n";
  for (int run = 0; run < 2; ++run) {
    ASSERT_TRUE(WriteTransitionReport(path, samples.data(), 50, 300));
    EXPECT_EQ(ReadBytes(path), expected) << "run " << run;
  }
}

TEST(TransitionReport, UnwritableFileWritesNothingAndClearsCounters) {
  const std::vector<uint8_t> samples = Fixture();
  TempFolder folder;
  const std::string path = folder.file("missing/stat.txt");
  const FileResult result = WriteTransitionReport(path, samples.data(), 0, 1000);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, "Cannot write \"" + path + "\": No such file or directory");
  EXPECT_TRUE(folder.names().empty());
  EXPECT_TRUE(CountersAreZero());
}

}  // namespace
}  // namespace korvalinx
