// Pixel tests of the display at exact coordinates. W = 668, H = 618 gives
// R = 53, q = 5, A = 43: channel c is high at y = 53c + 15 and low at
// y = 53c + 58, the separators lie at y = 53k + 10 and the plot's bottom
// border at y = 437. The surface is the client area, smaller than W x H.

#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <set>
#include <vector>

#include "port/backends/ScriptedPort.h"
#include "view/Canvas.h"
#include "view/DisplayColours.h"
#include "view/InputIndicator.h"
#include "view/Markers.h"
#include "view/PaintDisplay.h"
#include "view/PlotFrame.h"
#include "view/RedrawView.h"
#include "view/TraceColumnRule.h"
#include "view/Traces.h"

namespace korvalinx {
namespace {

constexpr DisplaySize kSize{668, 618};
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

int High(int c) {
  return 53 * c + 15;
}
int Low(int c) {
  return 53 * c + 58;
}

class RenderingTest : public ::testing::Test {
 protected:
  RenderingTest() : samples(0x100000, 0) { UseSurface(660, 572); }
  void SetUp() override { scripted::Reset(); }

  void UseSurface(int width, int height) {
    surface = QImage(width, height, QImage::Format_RGB32);
    surface.fill(QColor(0x80, 0x80, 0x80));
    canvas.setSurface(&surface);
  }
  std::set<std::pair<int, int>> PixelsOf(uint32_t colour) const {
    std::set<std::pair<int, int>> found;
    for (int y = 0; y < surface.height(); ++y)
      for (int x = 0; x < surface.width(); ++x)
        if (canvas.pixel(x, y) == colour) found.insert({x, y});
    return found;
  }

  QImage surface;
  Canvas canvas;
  std::vector<uint8_t> samples;  // exactly the capture buffer's size
};

TEST_F(RenderingTest, PlotFrameSeparatorsAndNumbers) {
  DrawPlotFrame(canvas, kSize, DisplayColours{});
  // Border on x 10..657 and y 10..437, right and bottom edges excluded.
  for (auto [x, y] : {std::pair{10, 10}, {657, 10}, {10, 437}, {657, 437}, {300, 10}, {300, 437}})
    EXPECT_EQ(canvas.pixel(x, y), kWhite) << x << "," << y;
  for (auto [x, y] : {std::pair{658, 10}, {10, 438}, {9, 10}, {10, 9}})
    EXPECT_EQ(canvas.pixel(x, y), kGrey) << x << "," << y;
  EXPECT_EQ(canvas.pixel(300, 40), kBlack);
  EXPECT_EQ(canvas.pixel(656, 436), kBlack);
  // The margin line, down to the bottom border.
  for (int y = 10; y <= 437; ++y) ASSERT_EQ(canvas.pixel(60, y), kWhite) << y;
  EXPECT_EQ(canvas.pixel(61, 40), kBlack);

  for (int k = 1; k <= 8; ++k) {
    const int y = 53 * k + 10;  // 63, 116, ..., 434
    for (int x = 10; x <= 657; ++x) ASSERT_EQ(canvas.pixel(x, y), kWhite) << x << "," << y;
    EXPECT_EQ(canvas.pixel(11, y - 1), kBlack);
    EXPECT_EQ(canvas.pixel(11, y + 1), kBlack);
    // The number's white box has its corner at (20, 53k - 26): 27, 80, ...
    const int top = 53 * k - 26;
    EXPECT_EQ(canvas.pixel(20, top), kWhite) << k;
    EXPECT_EQ(canvas.pixel(19, top), kBlack) << k;
    EXPECT_EQ(canvas.pixel(20, top - 1), kBlack) << k;
    int ink = 0;
    for (int yy = top; yy < top + 27; ++yy)
      for (int x = 20; x < 40; ++x) ink += canvas.pixel(x, yy) == kBlack;
    EXPECT_GT(ink, 10) << "number " << k;
  }
  EXPECT_EQ(canvas.brushColor(), kWhite);
  EXPECT_EQ(canvas.font().pixelSize(), 27);
}

TEST_F(RenderingTest, FrameColourIsTheInvertedBackground) {
  DrawPlotFrame(canvas, kSize, DisplayColours{0x302010, kGreen});
  EXPECT_EQ(canvas.pixel(10, 10), 0xCFDFEFu);
  EXPECT_EQ(canvas.pixel(60, 200), 0xCFDFEFu);
  EXPECT_EQ(canvas.pixel(300, 63), 0xCFDFEFu);
  EXPECT_EQ(canvas.pixel(300, 40), 0x302010u);
  EXPECT_EQ(canvas.penColor(), 0xCFDFEFu);
  DrawChannelLines(canvas, kSize, 0x0000FF);
  EXPECT_EQ(canvas.pixel(300, 63), 0xFFFF00u);
  EXPECT_EQ(canvas.pixel(10, 10), 0xCFDFEFu);  // only the separators again
}

TEST_F(RenderingTest, EveryChannelHasItsOwnHighAndLowLevel) {
  for (uint8_t value : {uint8_t{0x55}, uint8_t{0xAA}}) {
    UseSurface(660, 572);
    std::fill(samples.begin(), samples.end(), value);
    DrawTraces(canvas, kSize, samples.data(), kGreen, 0, 100);
    for (int c = 0; c < 8; ++c) {
      const bool high = (value >> c) & 1;
      const int y = high ? High(c) : Low(c);
      const int other = high ? Low(c) : High(c);
      EXPECT_EQ(canvas.pixel(61, y), kGreen) << int(value) << " channel " << c;
      EXPECT_EQ(canvas.pixel(647, y), kGreen) << int(value) << " channel " << c;
      EXPECT_EQ(canvas.pixel(648, y), kGrey) << int(value) << " channel " << c;
      EXPECT_EQ(canvas.pixel(60, y), kGrey) << int(value) << " channel " << c;
      EXPECT_EQ(canvas.pixel(300, other), kGrey) << int(value) << " channel " << c;
    }
    // Eight lines of 587 pixels and nothing else.
    EXPECT_EQ(PixelsOf(kGreen).size(), 8u * 587u);
  }
  // Channel 1 (bit 0) at 15 and 58, channel 8 at 386 and 429.
  EXPECT_EQ(High(0), 15);
  EXPECT_EQ(Low(7), 429);
}

TEST_F(RenderingTest, ColumnsUseTheExtendedPrecisionRule) {
  const TraceColumnRule w668(668, 100);
  EXPECT_EQ(w668.column(0), 61);
  EXPECT_EQ(w668.column(1), 66);
  EXPECT_EQ(w668.column(100), 648);
  // 19 * (719 / 19) + 61 comes out just below 780.
  const TraceColumnRule w800(800, 19);
  EXPECT_EQ(w800.column(19), 779);
  UseSurface(792, 572);
  DrawTraces(canvas, {800, 618}, samples.data(), kGreen, 0, 19);
  EXPECT_EQ(canvas.pixel(778, Low(0)), kGreen);
  EXPECT_EQ(canvas.pixel(779, Low(0)), kGrey);
}

TEST_F(RenderingTest, LevelChangesAreVerticalsAtTheirColumns) {
  // Channel 1 goes high for sample 1 only: changes at j = 0 (x 61) and
  // j = 1 (x 66).
  samples[1] = 0x01;
  DrawTraces(canvas, kSize, samples.data(), kGreen, 0, 100);
  std::set<std::pair<int, int>> expected;
  for (int y = 16; y <= 58; ++y) expected.insert({61, y});   // up from low, 15 left out
  for (int x = 61; x <= 65; ++x) expected.insert({x, 15});   // the high sample
  for (int y = 15; y <= 57; ++y) expected.insert({66, y});   // down, 58 left out
  for (int x = 66; x <= 647; ++x) expected.insert({x, 58});  // low to x(100), excluded
  std::set<std::pair<int, int>> band;
  for (auto p : PixelsOf(kGreen))
    if (p.second < 63) band.insert(p);
  EXPECT_EQ(band, expected);
}

TEST_F(RenderingTest, SquaresMarkEverySampleBelowAHundred) {
  const TraceColumnRule rule(668, 99);
  DrawTraces(canvas, kSize, samples.data(), kGreen, 0, 99);
  for (int c = 0; c < 8; ++c) {
    for (int j = 0; j < 99; ++j) {
      const int x = rule.column(j);
      // The trace covers row Low(c); the square also the row below.
      EXPECT_EQ(canvas.pixel(x, Low(c) + 1), kGreen) << c << " " << j;
      EXPECT_EQ(canvas.pixel(x + 1, Low(c) + 1), kGreen) << c << " " << j;
    }
  }
  UseSurface(660, 572);
  DrawTraces(canvas, kSize, samples.data(), kGreen, 0, 100);
  for (int c = 0; c < 8; ++c)
    for (int x = 0; x < 660; ++x) ASSERT_EQ(canvas.pixel(x, Low(c) + 1), kGrey) << c << " " << x;
}

TEST_F(RenderingTest, MarkersOnlyStrictlyInsideTheView) {
  struct Case {
    int32_t first, count, mark;
    int expectedX;  // -1: no line
  };
  const std::vector<Case> cases = {
      {0, 100, 50, 353}, {0, 100, 1, 65},   {0, 100, 99, 641},        {1000, 100, 1050, 353},
      {0, 100, 0, -1},   {0, 100, 100, -1}, {0, 100, -1, -1},         {1000, 100, 999, -1},
      {10, 100, 5, -1},  {0, 100, 101, -1}, {0, 200000, 199999, 646},
  };
  for (const Case& c : cases) {
    for (bool second : {false, true}) {
      UseSurface(660, 572);
      DrawMarkers(canvas, kSize, kRed, c.first, c.count, second ? -1 : c.mark,
                  second ? c.mark : -1);
      const auto red = PixelsOf(kRed);
      std::set<std::pair<int, int>> expected;
      if (c.expectedX >= 0)
        for (int y = 11; y <= 436; ++y) expected.insert({c.expectedX, y});
      EXPECT_EQ(red, expected) << c.first << " " << c.count << " " << c.mark;
    }
  }
}

TEST_F(RenderingTest, MarkerColumnOfHugeViewsDoesNotOverflow) {
  UseSurface(1912, 1034);
  // first + count lies past the 32-bit range and (mark - first) * 1839 too.
  const int32_t first = 0x100000, count = 0x7FFFFFFF, mark = 0x7FFFFFFE;
  DrawMarkers(canvas, {1920, 1080}, kRed, first, count, mark, -1);
  EXPECT_EQ(canvas.pixel(1898, 500), kRed);
  EXPECT_EQ(PixelsOf(kRed).size(), static_cast<size_t>(1080 - 181 - 11));
}

TEST_F(RenderingTest, TracesStopAtTheBufferEnd) {
  const int32_t first = 0xFFFFF - 10;
  samples[0xFFFFF] = 0x01;  // the last sample goes high
  DrawTraces(canvas, kSize, samples.data(), kGreen, first, 100);
  DrawMarkers(canvas, kSize, kRed, first, 100, first + 50, first + 90);
  // The change between the last two samples is at x(9) = 113, the end at
  // x(10) = 119, and the plot stays empty to the right.
  EXPECT_EQ(canvas.pixel(112, 58), kGreen);
  EXPECT_EQ(canvas.pixel(113, 40), kGreen);
  EXPECT_EQ(canvas.pixel(114, 58), kGrey);
  EXPECT_EQ(canvas.pixel(118, 15), kGreen);
  EXPECT_EQ(canvas.pixel(119, 15), kGrey);
  for (auto [x, y] : PixelsOf(kGreen)) ASSERT_LT(x, 119) << x << "," << y;
  // Marker lines are drawn anywhere in the view window.
  EXPECT_EQ(canvas.pixel(353, 200), kRed);
  EXPECT_EQ(canvas.pixel(60 + 90 * 587 / 100, 200), kRed);
}

TEST_F(RenderingTest, ViewsOutsideTheBufferOrWithoutWidthDrawNothing) {
  std::fill(samples.begin(), samples.end(), 0x5A);
  const QImage before = surface.copy();
  struct Case {
    DisplaySize size;
    int32_t first, count;
  };
  const std::vector<Case> cases = {
      {kSize, 0x100000, 100}, {kSize, 0x7FFFFFFF, 100}, {kSize, -1, 100},    {kSize, 0xFFFFF, 100},
      {kSize, 0, 0},          {kSize, 0, -100},         {{81, 618}, 0, 100}, {{60, 618}, 0, 100},
      {{-500, 618}, 0, 5},
  };
  for (const Case& c : cases) {
    DrawTraces(canvas, c.size, samples.data(), kGreen, c.first, c.count);
    EXPECT_TRUE(surface == before) << c.size.width << " " << c.first << " " << c.count;
  }
  DrawMarkers(canvas, {81, 618}, kRed, 0, 100, 50, 60);
  DrawMarkers(canvas, {0, 618}, kRed, 0, 100, 50, 60);
  DrawMarkers(canvas, kSize, kRed, 0, 0, 0, 1);
  EXPECT_TRUE(surface == before);
}

TEST_F(RenderingTest, InputBoxesShowThePortValue) {
  scripted::SetValues({0x05, 0xFF});
  scripted::SetLogReads(true);
  DrawInputIndicator(canvas, kSize, 0x278);
  EXPECT_EQ(scripted::ReadCount(), 1u);
  EXPECT_EQ(scripted::ReadAddresses(), std::vector<uint16_t>{0x278});
  for (int k = 1; k <= 8; ++k) {
    const int top = 53 * k - 10, bottom = 53 * k - 1;  // 43..52, ..., 414..423
    const uint32_t fill = (k == 1 || k == 3) ? kWhite : kBlack;
    for (int y = top; y <= bottom; ++y) {
      for (int x = 40; x <= 49; ++x) {
        const bool outline = x == 40 || x == 49 || y == top || y == bottom;
        ASSERT_EQ(canvas.pixel(x, y), outline ? 0xFF0000u : fill) << k << ": " << x << "," << y;
      }
    }
    EXPECT_EQ(canvas.pixel(39, top), kGrey);
    EXPECT_EQ(canvas.pixel(50, top), kGrey);
    EXPECT_EQ(canvas.pixel(45, top - 1), kGrey);
    EXPECT_EQ(canvas.pixel(45, bottom + 1), kGrey);
  }
  EXPECT_EQ(canvas.penColor(), 0xFF0000u);
}

TEST_F(RenderingTest, InputBoxesOfLowWindowsLieAboveTheClientArea) {
  for (int height : {197, 150, 0}) {
    UseSurface(660, 100);
    const QImage before = surface.copy();
    scripted::Reset();
    DrawInputIndicator(canvas, {668, height}, 0x378);
    EXPECT_EQ(scripted::ReadCount(), 1u);
    EXPECT_TRUE(surface == before) << height;
  }
}

TEST_F(RenderingTest, RedrawErasesExactlyWhatItDrewLast) {
  const DisplayColours colours{0x302010, kGreen};
  std::mt19937 rng(99);
  for (auto& s : samples) s = static_cast<uint8_t>(rng() % 4 == 0 ? rng() : 0x3C);
  DrawPlotFrame(canvas, kSize, colours);
  const QImage frame = surface.copy();

  struct View {
    int32_t first, count, mark1, mark2;
  };
  const std::vector<View> views = {
      {0, 50, 10, 40},                                 // squares and both markers
      {1000, 819200, 5000, 400000},                    // a column holds hundreds of samples
      {0xFFFFF - 30, 100, 0xFFFFF - 5, 0xFFFFF + 50},  // past the buffer's end
      {500, 587, 501, 1087},                           // a mark at first + count: no line
  };
  PreviousView previous;  // as InitView leaves it: 0, 100, never drawn
  for (const View& v : views) {
    RedrawView(canvas, kSize, colours, samples.data(), previous, v.first, v.count, v.mark1,
               v.mark2);
    DrawChannelLines(canvas, kSize, colours.background);
    EXPECT_EQ(previous.first, v.first);
    EXPECT_EQ(previous.count, v.count);
    EXPECT_EQ(previous.mark1, v.mark1);
    EXPECT_EQ(previous.mark2, v.mark2);
    EXPECT_FALSE(surface == frame);
    EXPECT_FALSE(PixelsOf(kGreen).empty());
    // A view with nothing to draw: only the erasing is left.
    RedrawView(canvas, kSize, colours, samples.data(), previous, 0x100000, 100, -1, -1);
    DrawChannelLines(canvas, kSize, colours.background);
    EXPECT_TRUE(surface == frame) << v.first << " " << v.count;
  }
}

TEST_F(RenderingTest, RepaintPutsMarkersOverTracesRedrawTheOtherWay) {
  std::fill(samples.begin(), samples.end(), 0xFF);
  scripted::SetValues({0x01});
  PaintDisplay(canvas, kSize, DisplayColours{}, samples.data(), 0, 100, 50, -1, 0x378);
  EXPECT_EQ(scripted::ReadCount(), 1u);
  EXPECT_EQ(canvas.pixel(353, High(0)), kRed);
  EXPECT_EQ(canvas.pixel(352, High(0)), kGreen);
  EXPECT_EQ(canvas.pixel(353, 300), kRed);
  EXPECT_EQ(canvas.pixel(10, 10), kWhite);
  EXPECT_EQ(canvas.pixel(45, 48), kWhite);   // box 1: line 0 is high
  EXPECT_EQ(canvas.pixel(45, 101), kBlack);  // box 2

  PreviousView previous;
  RedrawView(canvas, kSize, DisplayColours{}, samples.data(), previous, 0, 100, 50, -1);
  EXPECT_EQ(canvas.pixel(353, High(0)), kGreen);
  EXPECT_EQ(canvas.pixel(353, 300), kRed);
  EXPECT_EQ(scripted::ReadCount(), 1u);
}

}  // namespace
}  // namespace korvalinx
