#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "core/AnalyzerState.h"
#include "port/Port.h"
#include "port/virtual/ReadPacer.h"
#include "port/virtual/SignalGenerator.h"
#include "port/virtual/VirtualPort.h"

namespace korvalinx {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

int64_t Ns(Clock::duration d) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
}

class VirtualPortTest : public ::testing::Test {
 protected:
  void SetUp() override { saved = analyzerState.portBase; }
  void TearDown() override { analyzerState.portBase = saved; }
  int32_t saved = 0;
};

TEST_F(VirtualPortTest, RegistersReadBackWhatWasWritten) {
  analyzerState.portBase = 0x378;
  EXPECT_EQ(ReadPort(0x1234), 0xFF);  // nothing written there
  struct Case {
    int32_t writeAt, readAt;
    uint8_t value;
  };
  for (const Case c :
       {Case{0x37A, 0x37A, 0x20}, Case{0x77A, 0x77A, 0x00}, Case{0x0000, 0x0000, 0x5A},
        Case{0xFFFF, 0xFFFF, 0xA5}, Case{0x10401, 0x0401, 0x33},  // low 16 bits only
        Case{0x0402, 0x30402, 0x44}}) {
    WritePort(c.writeAt, c.value);
    EXPECT_EQ(ReadPort(c.readAt), c.value) << std::hex << c.writeAt;
  }
  EXPECT_EQ(ReadPort(0x0401), 0x33);  // a later write elsewhere leaves it alone
}

TEST_F(VirtualPortTest, DataRegisterCarriesTheGeneratorAtAnyBase) {
  WritePort(0x378, 0x00);
  WritePort(0x2345, 0x00);
  for (const int32_t base : {0x378, 0x278, 0x3BC, 0xFFFF, 0x12345}) {
    SCOPED_TRACE(base);
    analyzerState.portBase = base;
    WritePort(base, 0x00);  // what is written to the data register is not read back
    int64_t previous = -1;
    for (int i = 0; i < 3'000; ++i) {
      const uint8_t lines = ReadPort(base);
      const int64_t t = demo::LastReadSignalNs();
      ASSERT_EQ(lines, demo::DemoLines(t)) << "read " << i;
      ASSERT_GT(t, previous);
      previous = t;
    }
  }
  // The old data register is a plain register again.
  analyzerState.portBase = 0x278;
  EXPECT_EQ(ReadPort(0x378), 0x00);
}

// After a pause longer than any hold-up of a loop, the instant that a read
// stands for is the clock's again.
TEST_F(VirtualPortTest, SignalTimeIsTheClockSinceTheStart) {
  const auto pause = std::chrono::nanoseconds(demo::ReadPacing::kPauseNs) + 1ms;
  std::this_thread::sleep_for(pause);
  const auto before1 = Clock::now();
  (void)ReadPort(analyzerState.portBase);
  const auto after1 = Clock::now();
  const int64_t t1 = demo::LastReadSignalNs();
  std::this_thread::sleep_for(pause);
  const auto before2 = Clock::now();
  (void)ReadPort(analyzerState.portBase);
  const auto after2 = Clock::now();
  const int64_t t2 = demo::LastReadSignalNs();
  EXPECT_GE(t1, 0);
  EXPECT_GE(t2 - t1, Ns(before2 - after1));
  EXPECT_LE(t2 - t1, Ns(after2 - before1));
}

TEST_F(VirtualPortTest, ReadsTakeAtLeastTheTimeOfARealPortRead) {
  // After a pause the reads owe nothing, so this is a plain lower bound.
  std::this_thread::sleep_for(1ms);
  const auto start = Clock::now();
  for (int i = 0; i < 10'000; ++i) (void)ReadPort(analyzerState.portBase);
  EXPECT_GE(Ns(Clock::now() - start), 10'000 * 666.6);
}

// A capture handed to another thread: its reads owe nothing for the time
// since the last read on this thread, and stand for evenly spaced instants.
TEST_F(VirtualPortTest, ReadsOnAnotherThreadStartAfreshAndStayEvenlySpaced) {
  for (int i = 0; i < 1'000; ++i) (void)ReadPort(analyzerState.portBase);
  int64_t elapsedNs = 0;
  std::vector<int64_t> instants;
  std::thread worker([&] {
    const auto start = Clock::now();
    for (int i = 0; i < 10'000; ++i) {
      (void)ReadPort(analyzerState.portBase);
      instants.push_back(demo::LastReadSignalNs());
    }
    elapsedNs = Ns(Clock::now() - start);
  });
  worker.join();
  EXPECT_GE(elapsedNs, 10'000 * 666.6);
  for (size_t k = 1; k < instants.size(); ++k) {
    ASSERT_NEAR(instants[k] - instants[0], k * 666.6, 1.0) << "read " << k;
  }
}

}  // namespace
}  // namespace korvalinx
