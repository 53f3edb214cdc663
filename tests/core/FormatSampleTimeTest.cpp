#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/AnalyzerState.h"
#include "core/Divisor.h"
#include "core/FormatSampleTime.h"

namespace korvalinx {
namespace {

struct TimeCase {
  int32_t count;
  double microsPerRead;
  uint32_t divisor;
  const char* text;
};

class FormatSampleTimeTable : public ::testing::TestWithParam<TimeCase> {};

TEST_P(FormatSampleTimeTable, GivesTheExactText) {
  const TimeCase& c = GetParam();
  char text[kTimeTextSize];
  EXPECT_STREQ(FormatSampleTime(c.count, text, kTimeTextSize, c.microsPerRead, c.divisor), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormatSampleTimeTable,
    ::testing::Values(TimeCase{0, 0.6666, 0, "0.00 us"}, TimeCase{1, 0.6666, 0, "0.67 us"},
                      TimeCase{100, 0.6666, 0, "66.66 us"}, TimeCase{1500, 0.6666, 0, "999.90 us"},
                      TimeCase{2000, 0.6666, 0, "1.33 ms"},
                      TimeCase{1048576, 0.6666, 0, "698.98 ms"},
                      // negative times never change unit
                      TimeCase{-3000, 0.6666, 0, "-1999.80 us"},
                      // a sample lasts 1 + divisor reads
                      TimeCase{1000, 0.6666, 0, "666.60 us"}, TimeCase{1000, 0.6666, 1, "1.33 ms"},
                      TimeCase{1000, 0.6666, 3, "2.67 ms"}, TimeCase{1, 0.6666, 10, "7.33 us"},
                      // exactly 1000 stays in the smaller unit
                      TimeCase{1, 1000.0, 0, "1000.00 us"}, TimeCase{2, 1000.0, 0, "2.00 ms"},
                      TimeCase{1000, 1000.0, 0, "1000.00 ms"},
                      TimeCase{1500000, 1000.0, 0, "1500.00 s"},
                      // a negative divisor discards no reads
                      TimeCase{1, 0.6666, 4294967295u, "0.67 us"},
                      TimeCase{1, 1.0, 2147483647u, "2147.48 s"}, TimeCase{5, 0.0, 0, "0.00 us"}));

TEST(FormatSampleTime, BoundsAHugeTextToItsBuffer) {
  char text[kTimeTextSize];
  std::memset(text, 'x', sizeof text);
  FormatSampleTime(INT32_MAX, text, kTimeTextSize, 1e280, 4294967295u);
  EXPECT_EQ(std::string(text).size(), static_cast<size_t>(kTimeTextSize - 1));
}

TEST(FormatSampleTime, UsesTheProcessTimeBaseAndDivisor) {
  AnalyzerState saved = analyzerState;
  analyzerState.microsPerRead = 0.6666;
  UpdateDivisorFromText(analyzerState, "3");
  EXPECT_EQ(SampleTimeText(1000), "2.67 ms");
  UpdateDivisorFromText(analyzerState, "-1");
  EXPECT_EQ(analyzerState.divisor, 4294967295u);
  UpdateDivisorFromText(analyzerState, "");
  EXPECT_EQ(analyzerState.divisor, 0u);
  analyzerState = saved;
}

}  // namespace
}  // namespace korvalinx
