#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

#include "view/Navigation.h"

namespace korvalinx {
namespace {

struct Expected {
  uint32_t count;
  int32_t large, small;
};

void ExpectState(const ZoomState& s, const Expected& e, int step) {
  EXPECT_EQ(s.count, e.count) << "step " << step;
  EXPECT_EQ(s.steps.large, e.large) << "step " << step;
  EXPECT_EQ(s.steps.small, e.small) << "step " << step;
}

TEST(NavigationTest, ZoomInHalvesDownToSixAndHalvesTheSmallStep) {
  const std::vector<Expected> expected = {
      {50, 50, 1}, {25, 25, 1}, {12, 12, 0}, {6, 6, 0}, {6, 6, 0}};
  ZoomState state{100, {}};
  for (size_t i = 0; i < expected.size(); ++i) {
    state = ZoomIn(state);
    ExpectState(state, expected[i], static_cast<int>(i));
  }
  // Large counts: the steps are capped, the small one still halved.
  ExpectState(ZoomIn({0x100000, {}}), {0x80000, 0x7FFF, 13107}, 0);
  ExpectState(ZoomIn({0x180000, {}}), {0xC0000, 0x7FFF, 0x3FFF}, 0);
}

TEST(NavigationTest, ZoomOutDoublesUpTo819200ThenOnlyRedraws) {
  const std::vector<Expected> expected = {
      {200, 200, 10},           {400, 400, 20},          {800, 800, 40},
      {1600, 1600, 80},         {3200, 3200, 160},       {6400, 6400, 320},
      {12800, 12800, 640},      {25600, 25600, 1280},    {51200, 0x7FFF, 2560},
      {102400, 0x7FFF, 5120},   {204800, 0x7FFF, 10240}, {409600, 0x7FFF, 20480},
      {819200, 0x7FFF, 0x7FFF}, {819200, 0x7FFF, 0x7FFF}};
  ZoomState state{100, {}};
  for (size_t i = 0; i < expected.size(); ++i) {
    state = ZoomOut(state);
    ExpectState(state, expected[i], static_cast<int>(i));
  }
  // At the limit the steps stay whatever they were.
  ExpectState(ZoomOut({0x80000, {123, 4}}), {0x80000, 123, 4}, 0);
}

TEST(NavigationTest, ZoomingInToSixAndBackDoesNotReturnToAHundred) {
  ZoomState state{100, {}};
  for (int i = 0; i < 4; ++i) state = ZoomIn(state);
  ASSERT_EQ(state.count, 6u);
  std::vector<uint32_t> counts;
  for (int i = 0; i < 4; ++i) counts.push_back((state = ZoomOut(state)).count);
  EXPECT_EQ(counts, (std::vector<uint32_t>{12, 24, 48, 96}));
  EXPECT_EQ(state.steps.small, 4);  // 96 / 20, not halved
}

TEST(NavigationTest, ZoomToMarks) {
  struct Case {
    int32_t mark1, mark2;
    uint32_t count;
    int64_t position;
    int32_t large, small;
  };
  const std::vector<Case> cases = {
      {100, 200, 119, 91, 119, 5},
      {200, 100, 119, 91, 119, 5},
      {0, 5, 5, 0, 5, 0},
      {7, 8, 1, 7, 1, 0},
      {-1, 400, 481, -41, 481, 24},
      {10, 17, 8, 9, 8, 0},  // 8.4: the whole part
      {0, 800000, 959999, -80000 + 1, 0x7FFF, 0x7FFF},
      {INT_MIN, INT_MAX, 0x7FFFFFFF, -0x3FFFFFFF, 0x7FFF, 0x7FFF},
  };
  for (const Case& c : cases) {
    const auto zoom = ZoomToMarks(c.mark1, c.mark2);
    ASSERT_TRUE(zoom.has_value()) << c.mark1 << " " << c.mark2;
    EXPECT_EQ(zoom->count, c.count) << c.mark1 << " " << c.mark2;
    EXPECT_EQ(zoom->position, c.position) << c.mark1 << " " << c.mark2;
    EXPECT_EQ(zoom->steps.large, c.large) << c.mark1 << " " << c.mark2;
    EXPECT_EQ(zoom->steps.small, c.small) << c.mark1 << " " << c.mark2;
  }
  EXPECT_FALSE(ZoomToMarks(300, 300).has_value());
  EXPECT_FALSE(ZoomToMarks(-1, -1).has_value());
}

TEST(NavigationTest, ZoomToMarksCountIsOneLessWhereTheFactorGivesAWholeNumber) {
  // N = (6D - 1) / 5 for every distance, up to where the count is capped.
  std::vector<int64_t> distances;
  for (int64_t d = 1; d <= 200000; ++d) distances.push_back(d);
  for (int64_t d = 1789569700; d <= 1789569710; ++d) distances.push_back(d);
  for (int64_t d : distances) {
    const auto zoom = ZoomToMarks(0, static_cast<int32_t>(d));
    ASSERT_TRUE(zoom.has_value());
    const int64_t expected = std::min<int64_t>((6 * d - 1) / 5, INT32_MAX);
    ASSERT_EQ(zoom->count, static_cast<uint32_t>(expected)) << d;
  }
}

TEST(NavigationTest, ScrollPositionStaysInTheScrollBarRange) {
  EXPECT_EQ(ClampScrollPosition(-41), 0);
  EXPECT_EQ(ClampScrollPosition(-0x3FFFFFFFLL * 4), 0);
  EXPECT_EQ(ClampScrollPosition(0), 0);
  EXPECT_EQ(ClampScrollPosition(91), 91);
  EXPECT_EQ(ClampScrollPosition(0x100000), 0x100000);
  EXPECT_EQ(ClampScrollPosition(0x100001), 0x100000);
  EXPECT_EQ(ClampScrollPosition(INT64_MAX), 0x100000);
}

TEST(NavigationTest, MarkFromClick) {
  struct Case {
    int x;
    int32_t first;
    uint32_t count;
    int width;
    std::optional<int32_t> mark;
  };
  const std::vector<Case> cases = {
      {353, 0, 100, 668, 49},
      {61, 0, 100, 668, 0},  // v = F: set, though no marker is drawn for it
      {647, 1000, 100, 668, 1100},
      {60, 0, 100, 668, std::nullopt},
      {-5, 0, 100, 668, std::nullopt},
      {353, 0, 100, 81, std::nullopt},
      // 2000 * 4,000,000 needs more than 32 bits.
      {2060, 0, 4000000, 2081, 4000000},
      // Beyond a mark's range: the largest mark.
      {1000, 0x100000, 0xFFFFFFFF, 82, INT32_MAX},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MarkFromClick(c.x, c.first, c.count, c.width), c.mark)
        << c.x << " " << c.first << " " << c.count << " " << c.width;
  }
}

TEST(NavigationTest, MarkerColumn) {
  EXPECT_EQ(MarkerColumn(50, 0, 100, 668), 353);
  EXPECT_EQ(MarkerColumn(49, 0, 100, 668), 347);  // the click at 353 lands one step left
  EXPECT_EQ(MarkerColumn(0, 10, 100, 668), 2);    // truncation toward zero
  EXPECT_EQ(MarkerColumn(1999999, 0, 2000000, 1920), 1898);
  // (2^32 - 1) * 1839 / (2^31 - 1): far past 32 bits on the way.
  EXPECT_EQ(MarkerColumn(INT32_MAX, INT32_MIN, INT32_MAX, 1920), 3738);
}

}  // namespace
}  // namespace korvalinx
