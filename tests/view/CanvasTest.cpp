#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <algorithm>
#include <climits>
#include <set>
#include <vector>

#include "view/Canvas.h"

namespace korvalinx {
namespace {

constexpr uint32_t kGrey = 0x808080;

class CanvasTest : public ::testing::Test {
 protected:
  CanvasTest() : surface(40, 30, QImage::Format_RGB32), canvas(&surface) {
    surface.fill(QColor(0x80, 0x80, 0x80));
  }
  // The pixels of the surface that are no longer grey.
  std::set<std::pair<int, int>> Drawn() const {
    std::set<std::pair<int, int>> drawn;
    for (int y = 0; y < surface.height(); ++y)
      for (int x = 0; x < surface.width(); ++x)
        if (canvas.pixel(x, y) != kGrey) drawn.insert({x, y});
    return drawn;
  }
  QImage surface;
  Canvas canvas;
};

TEST_F(CanvasTest, ColoursKeepRedInTheLowByte) {
  canvas.setPenColor(0x0000FF);
  canvas.moveTo(0, 0);
  canvas.lineTo(1, 0);
  canvas.setPenColor(0xFF0000);
  canvas.moveTo(0, 1);
  canvas.lineTo(1, 1);
  EXPECT_EQ(surface.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(surface.pixelColor(0, 1), QColor(0, 0, 255));
  EXPECT_EQ(canvas.pixel(0, 0), 0x0000FFu);
  EXPECT_EQ(canvas.pixel(0, 1), 0xFF0000u);
  EXPECT_EQ(canvas.pixel(-1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(canvas.pixel(0, 30), 0xFFFFFFFFu);
}

TEST_F(CanvasTest, LineToLeavesOutItsEndAndMovesThere) {
  struct Case {
    int x0, y0, x1, y1;
    std::set<std::pair<int, int>> pixels;
  };
  const std::vector<Case> cases = {
      {2, 3, 6, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
      {6, 3, 2, 3, {{6, 3}, {5, 3}, {4, 3}, {3, 3}}},
      {4, 1, 4, 4, {{4, 1}, {4, 2}, {4, 3}}},
      {4, 4, 4, 1, {{4, 4}, {4, 3}, {4, 2}}},
      {4, 4, 4, 4, {}},
      {0, 0, 4, 4, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
  };
  for (const Case& c : cases) {
    surface.fill(QColor(0x80, 0x80, 0x80));
    canvas.setPenColor(0xFFFFFF);
    canvas.moveTo(c.x0, c.y0);
    canvas.lineTo(c.x1, c.y1);
    EXPECT_EQ(Drawn(), c.pixels) << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1;
    // The next line starts where this one ended.
    surface.fill(QColor(0x80, 0x80, 0x80));
    canvas.lineTo(c.x1, c.y1 + 1);
    EXPECT_EQ(Drawn(), (std::set<std::pair<int, int>>{{c.x1, c.y1}}));
  }
}

TEST_F(CanvasTest, EverythingIsClippedToTheSurface) {
  canvas.setPenColor(0xFFFFFF);
  canvas.moveTo(INT_MIN, 5);
  canvas.lineTo(INT_MAX, 5);
  canvas.moveTo(7, INT_MAX);
  canvas.lineTo(7, INT_MIN);
  canvas.moveTo(INT_MIN, INT_MIN);
  canvas.lineTo(INT_MAX, INT_MAX);
  canvas.moveTo(-1000000, 1000000);
  canvas.lineTo(1000000, -1000000);
  canvas.moveTo(-100, -100);
  canvas.lineTo(-10, -200);
  std::set<std::pair<int, int>> expected = {{0, 0}};
  for (int x = 0; x < 40; ++x) expected.insert({x, 5});
  for (int y = 0; y < 30; ++y) expected.insert({7, y});
  for (int i = 0; i < 30; ++i) expected.insert({i, i});
  EXPECT_EQ(Drawn(), expected);
  // A rectangle around everything: its border lies outside, its inside (the
  // default white brush) covers the whole surface.
  canvas.setPenColor(0x0000FF);
  canvas.rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(canvas.pixel(x, y), 0xFFFFFFu) << x << "," << y;
}

TEST_F(CanvasTest, SlantedLinesFarAwayDrawTheirVisiblePart) {
  // The same line drawn whole on a big surface and from far-away ends on the
  // small one sets the same pixels where they overlap.
  QImage big(400, 300, QImage::Format_RGB32);
  big.fill(Qt::black);
  Canvas whole(&big);
  whole.setPenColor(0xFFFFFF);
  canvas.setPenColor(0xFFFFFF);
  whole.moveTo(0, 0);
  whole.lineTo(397, 233);
  canvas.moveTo(-180, -100);
  canvas.lineTo(217, 133);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      EXPECT_EQ(canvas.pixel(x, y) == 0xFFFFFF, whole.pixel(x + 180, y + 100) == 0xFFFFFF)
          << x << "," << y;
  EXPECT_FALSE(Drawn().empty());
}

TEST_F(CanvasTest, RectangleBordersInPenFillsWithBrushAndExcludesRightAndBottom) {
  canvas.setPenColor(0x0000FF);
  canvas.setBrushColor(0x00FF00);
  canvas.rectangle(2, 3, 7, 8);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool inside = x >= 2 && x <= 6 && y >= 3 && y <= 7;
      const bool border = inside && (x == 2 || x == 6 || y == 3 || y == 7);
      const uint32_t expected = border ? 0x0000FF : inside ? 0x00FF00 : kGrey;
      EXPECT_EQ(canvas.pixel(x, y), expected) << x << "," << y;
    }
  }
  // A 2 x 2 rectangle is all border, whatever the brush; an empty one is
  // nothing; the corners given the other way round make the same rectangle.
  surface.fill(QColor(0x80, 0x80, 0x80));
  canvas.rectangle(10, 10, 12, 12);
  canvas.rectangle(20, 20, 20, 25);
  canvas.rectangle(33, 9, 30, 6);
  std::set<std::pair<int, int>> expected = {{10, 10}, {11, 10}, {10, 11}, {11, 11}};
  for (int y = 6; y < 9; ++y)
    for (int x = 30; x < 33; ++x) expected.insert({x, y});
  EXPECT_EQ(Drawn(), expected);
  EXPECT_EQ(canvas.pixel(31, 7), 0x00FF00u);
  EXPECT_EQ(canvas.pixel(30, 7), 0x0000FFu);
}

TEST_F(CanvasTest, StateOutlivesASurfaceChange) {
  canvas.setPenColor(0x123456);
  canvas.setBrushColor(0x654321);
  canvas.setTextColor(0x0000FF);
  canvas.moveTo(3, 4);
  QImage other(10, 10, QImage::Format_ARGB32);  // converted to RGB32
  other.fill(Qt::black);
  canvas.setSurface(&other);
  EXPECT_EQ(other.format(), QImage::Format_RGB32);
  canvas.lineTo(6, 4);
  EXPECT_EQ(canvas.pixel(3, 4), 0x123456u);
  EXPECT_EQ(canvas.pixel(5, 4), 0x123456u);
  EXPECT_EQ(canvas.pixel(6, 4), 0u);
  EXPECT_EQ(canvas.brushColor(), 0x654321u);
  EXPECT_EQ(canvas.textColor(), 0x0000FFu);
  // Nothing drawn on the old surface.
  canvas.setSurface(&surface);
  EXPECT_TRUE(Drawn().empty());
  // No surface at all: drawing does nothing.
  canvas.setSurface(nullptr);
  canvas.lineTo(0, 0);
  canvas.rectangle(0, 0, 5, 5);
  canvas.textOut(0, 0, "1");
  EXPECT_EQ(canvas.pixel(0, 0), 0xFFFFFFFFu);
}

TEST(CanvasTextTest, TextSitsOnAnOpaqueBoxInTheBrushColour) {
  QImage surface(100, 60, QImage::Format_RGB32);
  surface.fill(QColor(0x80, 0x80, 0x80));
  Canvas canvas(&surface);
  canvas.setBrushColor(0xFFFFFF);
  canvas.setFont("Arial", 20);
  EXPECT_EQ(canvas.font().pixelSize(), 27);
  const QString family = QFontInfo(canvas.font()).family();
  EXPECT_TRUE(family == "Liberation Sans" || family == "Arial" || family == "DejaVu Sans")
      << family.toStdString();
  EXPECT_EQ(canvas.textColor(), 0x000000u);  // black until set

  canvas.textOut(20, 10, "8");
  // What was drawn is one box with its top left corner at the given point,
  // holding only the brush and the text colour, and some of each.
  int left = 100, top = 60, right = -1, bottom = -1;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x)
      if (canvas.pixel(x, y) != kGrey) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
  EXPECT_EQ(left, 20);
  EXPECT_EQ(top, 10);
  EXPECT_GE(right - left + 1, 10);
  EXPECT_GE(bottom - top + 1, 27);
  int inked = 0;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      const uint32_t p = canvas.pixel(x, y);
      EXPECT_TRUE(p == 0xFFFFFF || p == 0x000000) << x << "," << y;
      inked += p == 0x000000;
    }
  EXPECT_GT(inked, 20);
  EXPECT_EQ(canvas.pixel(left, top), 0xFFFFFFu);
}

}  // namespace
}  // namespace korvalinx
