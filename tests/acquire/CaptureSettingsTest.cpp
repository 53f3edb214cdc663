#include <gtest/gtest.h>

#include "acquire/CaptureSettings.h"
#include "acquire/EdgeWaitLimit.h"

namespace korvalinx {
namespace {

TEST(TriggerMask, ChannelTextToBit) {
  struct Case {
    const char* text;
    int32_t mask;
  };
  const Case cases[] = {{"3", 0x04}, {"0", 0x01},          {"1", 0x01}, {"-5", 0x01},
                        {"", 0x01},  {"8", 0x80},          {"9", 0x80}, {"100", 0x80},
                        {"x", 0x01}, {"-2147483648", 0x01}};
  for (const Case& c : cases)
    EXPECT_EQ(CaptureSettingsFromFields("0", "0", c.text, "0").mask, c.mask) << c.text;
}

TEST(CaptureSettings, FieldsAreReadAsAtolReadsThem) {
  EXPECT_EQ(CaptureSettingsFromFields("1000", "0", "1", "1000"),
            (CaptureSettings{1000, 0, 1, 1000}));
  EXPECT_EQ(CaptureSettingsFromFields(" -7", "3x", "3", ""), (CaptureSettings{-7, 3, 4, 0}));
  EXPECT_EQ(CaptureSettingsFromFields("", "-1", "8", "5000000"),
            (CaptureSettings{0, -1, 0x80, 5000000}));
}

TEST(EdgeWaitLimit, ExtendedPrecisionProductWithThirtyTwoBitWrap) {
  struct Case {
    int32_t divisor;
    double microsPerRead;
    int32_t limit;
  };
  const Case cases[] = {
      {0, 0.5, 2500000}, {3, 0.5, 833333},       {-1, 0.5, -2500000},  {-3, 0.5, -833333},
      {0, 0.0, 0},       {0, 1000.0, 705032704}, {1, 0.6666, 3332999}, {5000001, 0.5, 0},
      {0, 1e300, 0},     {0, -1e300, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EdgeWaitLimit(c.divisor, c.microsPerRead), c.limit)
        << c.divisor << " " << c.microsPerRead;
}

}  // namespace
}  // namespace korvalinx
