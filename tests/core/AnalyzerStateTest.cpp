#include <gtest/gtest.h>

#include <algorithm>
#include <type_traits>

#include "core/AnalyzerState.h"

namespace korvalinx {
namespace {

TEST(AnalyzerState, StartsWithTheDocumentedValues) {
  const AnalyzerState& s = analyzerState;
  EXPECT_EQ(s.portBase, 0x378);
  EXPECT_DOUBLE_EQ(s.microsPerRead, 0.6666);
  EXPECT_EQ(s.mark1, -1);
  EXPECT_EQ(s.mark2, -1);
  EXPECT_EQ(s.prevMark1, -1);
  EXPECT_EQ(s.prevMark2, -1);
  EXPECT_NE(s.firstUseWarning, 0);
  EXPECT_EQ(s.divisor, 0u);
  EXPECT_EQ(s.visibleCount, 100u);
  EXPECT_EQ(s.buffer.size(), 1048576u);
  EXPECT_TRUE(std::all_of(s.buffer.begin(), s.buffer.end(), [](uint8_t b) { return b == 0; }));
  static_assert(std::is_same_v<decltype(AnalyzerState::divisor), uint32_t>);
  static_assert(std::is_same_v<decltype(AnalyzerState::mark1), int32_t>);
  static_assert(sizeof(s.timeText) == 36);
}

}  // namespace
}  // namespace korvalinx
