#include <gtest/gtest.h>

#include "acquire/Calibration.h"
#include "port/backends/ScriptedPort.h"

namespace korvalinx {
namespace {

int64_t clockTicks[2];
int clockCalls = 0;
int64_t FakeClock() {
  return clockTicks[clockCalls++ % 2];
}

TEST(Calibration, TimesAMillionReadsOfTheDataRegister) {
  struct Case {
    int64_t spanNs;
    double microsPerRead;
  };
  for (const Case& c : {Case{666600000, 0.6666}, Case{1500000000, 1.5}, Case{0, 0.0}}) {
    scripted::Reset();
    scripted::SetLogReads(true);
    clockCalls = 0;
    clockTicks[0] = 5000000000;
    clockTicks[1] = 5000000000 + c.spanNs;
    EXPECT_DOUBLE_EQ(MeasureMicrosPerRead(0x278, &FakeClock), c.microsPerRead);
    EXPECT_EQ(clockCalls, 2);  // before and after the loop only
    EXPECT_EQ(scripted::ReadCount(), 1000000u);
    EXPECT_EQ(scripted::ReadAddresses().front(), 0x278);
    EXPECT_EQ(scripted::ReadAddresses().back(), 0x278);
  }
}

}  // namespace
}  // namespace korvalinx
