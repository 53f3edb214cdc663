// The column by column traces must set exactly the pixels that drawing every
// level change line by line sets, for any window, view and data.

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <array>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "LineByLineTraces.h"
#include "view/Canvas.h"
#include "view/Traces.h"

namespace korvalinx {
namespace {

constexpr int32_t kBufferSize = 0x100000;
constexpr uint32_t kUntouched = 0x406080;
constexpr uint32_t kTrace = 0x00FF00;

enum class Pattern { Random, AllToggling, Sparse, Bursts, Counting, Count };

// Whole capture buffers, each exactly 0x100000 long so that the address
// sanitizer sees any read past the end.
const std::vector<uint8_t>& Buffer(Pattern pattern) {
  static const auto buffers = [] {
    std::array<std::vector<uint8_t>, static_cast<size_t>(Pattern::Count)> all;
    std::mt19937 rng(20240611);
    for (auto& b : all) b.resize(kBufferSize);
    for (auto& s : all[static_cast<size_t>(Pattern::Random)]) s = static_cast<uint8_t>(rng());
    for (int32_t i = 0; i < kBufferSize; ++i) {
      all[static_cast<size_t>(Pattern::AllToggling)][i] = (i & 1) ? 0xFF : 0x00;
      all[static_cast<size_t>(Pattern::Counting)][i] = static_cast<uint8_t>(i);
    }
    // Sparse: a rare change on one channel. Bursts: each channel switches
    // between quiet stretches and stretches of fast toggling.
    uint8_t sparse = 0x5A, burst = 0;
    std::array<int, 8> burstLeft{};
    for (int32_t i = 0; i < kBufferSize; ++i) {
      if (rng() % 3000 == 0) sparse ^= static_cast<uint8_t>(1u << (rng() % 8));
      all[static_cast<size_t>(Pattern::Sparse)][i] = sparse;
      for (int c = 0; c < 8; ++c) {
        if (burstLeft[c] > 0) {
          --burstLeft[c];
          if (rng() % 2) burst ^= static_cast<uint8_t>(1u << c);
        } else if (rng() % 500 == 0) {
          burstLeft[c] = static_cast<int>(rng() % 400);
        }
      }
      all[static_cast<size_t>(Pattern::Bursts)][i] = burst;
    }
    return all;
  }();
  return buffers[static_cast<size_t>(pattern)];
}

struct TraceCase {
  int width;
  int height;
  int32_t first;
  int32_t count;
  Pattern pattern;
  int surfaceWidth;
  int surfaceHeight;
};

std::string Describe(const TraceCase& t) {
  std::ostringstream out;
  out << "W=" << t.width << " H=" << t.height << " first=" << t.first << " count=" << t.count
      << " pattern=" << static_cast<int>(t.pattern) << " surface=" << t.surfaceWidth << "x"
      << t.surfaceHeight;
  return out.str();
}

// Returns an empty string when both drawings agree, else where they first
// differ.
std::string Compare(const TraceCase& t) {
  QImage expected(t.surfaceWidth, t.surfaceHeight, QImage::Format_RGB32);
  expected.fill(QColor(0x80, 0x60, 0x40));
  QImage actual = expected.copy();
  Canvas reference(&expected), columns(&actual);
  const uint8_t* samples = Buffer(t.pattern).data();
  const DisplaySize size{t.width, t.height};
  testing::DrawTracesLineByLine(reference, size, samples, kTrace, t.first, t.count);
  DrawTraces(columns, size, samples, kTrace, t.first, t.count);
  if (actual == expected) return {};
  for (int y = 0; y < t.surfaceHeight; ++y) {
    for (int x = 0; x < t.surfaceWidth; ++x) {
      if (actual.pixel(x, y) != expected.pixel(x, y)) {
        std::ostringstream out;
        out << Describe(t) << ": first difference at (" << x << ", " << y << "), expected "
            << std::hex << reference.pixel(x, y) << " got " << columns.pixel(x, y);
        return out.str();
      }
    }
  }
  return "images differ in size or format";
}

TEST(TraceColumnsTest, ChosenViewsMatchLineByLineDrawing) {
  const std::vector<TraceCase> cases = {
      // Squares below 100 samples, none from 100 on.
      {668, 618, 0, 99, Pattern::Random, 660, 572},
      {668, 618, 0, 100, Pattern::Random, 660, 572},
      {668, 618, 12345, 1, Pattern::Random, 660, 572},
      {800, 618, 0, 19, Pattern::AllToggling, 792, 572},
      // One sample per column and the columns that round one pixel left.
      {668, 618, 77, 587, Pattern::AllToggling, 660, 572},
      {668, 618, 77, 586, Pattern::Random, 660, 572},
      {668, 618, 77, 588, Pattern::Random, 660, 572},
      // The worst case of the benchmark, and a view wider than the buffer.
      {1920, 1080, 0, 819200, Pattern::AllToggling, 1912, 1034},
      {1920, 1080, 0, 0x7FFFFFFF, Pattern::Random, 1912, 1034},
      // The buffer's end.
      {668, 618, 0xFFFFF - 10, 100, Pattern::Random, 660, 572},
      {668, 618, 0xFFFFF - 1, 5, Pattern::AllToggling, 660, 572},
      {668, 618, 0xFFFFF, 100, Pattern::Random, 660, 572},
      {668, 618, 0xFFFFF, 1, Pattern::Random, 660, 572},
      // Rows of 0 or 1 pixel and negative rows.
      {668, 197, 0, 50, Pattern::Random, 660, 151},
      {668, 197, 0, 3000, Pattern::Random, 660, 151},
      {668, 198, 0, 3000, Pattern::Bursts, 660, 152},
      {668, 199, 0, 40, Pattern::AllToggling, 660, 153},
      {668, 100, 0, 700, Pattern::Random, 660, 54},
      {668, 0, 0, 700, Pattern::Random, 660, 20},
      // A plot just one pixel wide, and one wider than the surface.
      {82, 618, 0, 50, Pattern::Random, 74, 572},
      {82, 618, 0, 5000, Pattern::Random, 74, 572},
      {4000, 618, 300, 123457, Pattern::Sparse, 660, 572},
  };
  for (const TraceCase& t : cases) EXPECT_EQ(Compare(t), "") << Describe(t);
}

TEST(TraceColumnsTest, RandomViewsMatchLineByLineDrawing) {
  std::mt19937 rng(7);
  auto pick = [&](int64_t low, int64_t high) {
    return std::uniform_int_distribution<int64_t>(low, high)(rng);
  };
  for (int i = 0; i < 400; ++i) {
    TraceCase t{};
    t.width = static_cast<int>(pick(0, 3) == 0 ? pick(82, 120) : pick(82, 2000));
    t.height = static_cast<int>(pick(0, 3) == 0 ? pick(0, 300) : pick(300, 1100));
    switch (pick(0, 4)) {
      case 0:
        t.count = static_cast<int32_t>(pick(1, 99));
        break;
      case 1:
        t.count = static_cast<int32_t>(pick(100, t.width * 2));
        break;
      case 2:
        t.count = static_cast<int32_t>(pick(1, 20000));
        break;
      case 3:
        t.count = static_cast<int32_t>(pick(20000, 0x100000));
        break;
      default:
        t.count = static_cast<int32_t>(pick(1, 0x7FFFFFFF));
        break;
    }
    // Views with many samples are mostly placed near the end of the buffer,
    // which keeps the line-by-line drawing quick and covers the stop there.
    if (t.count > 20000 && pick(0, 3) != 0) {
      t.first = static_cast<int32_t>(pick(0xFFFFF - 30000, 0xFFFFF));
    } else {
      t.first =
          static_cast<int32_t>(pick(0, 4) == 0 ? pick(0xFFFFF - 200, 0xFFFFF) : pick(0, 0xFFFFF));
    }
    t.pattern = static_cast<Pattern>(pick(0, static_cast<int>(Pattern::Count) - 1));
    t.surfaceWidth = static_cast<int>(std::max<int64_t>(1, t.width - pick(0, 16)));
    t.surfaceHeight = static_cast<int>(std::max<int64_t>(1, t.height - pick(0, 60)));
    const std::string difference = Compare(t);
    ASSERT_EQ(difference, "") << "case " << i;
  }
}

}  // namespace
}  // namespace korvalinx
