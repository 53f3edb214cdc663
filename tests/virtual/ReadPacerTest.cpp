#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "port/virtual/ReadPacer.h"

namespace korvalinx::demo {
namespace {

// A clock that moves only when it is looked at, by a fixed cost per look,
// and that can jump once, as when the thread is preempted.
struct FakeClock {
  static inline int64_t now = 0;
  static inline int64_t lookNs = 0;
  static inline int64_t looksUntilStall = -1;  // -1: no stall pending
  static inline int64_t stallNs = 0;
  static int64_t NowNs() {
    if (looksUntilStall >= 0 && looksUntilStall-- == 0) now += stallNs;
    now += lookNs;
    return now;
  }
};

using Pacer = ReadPacer<FakeClock>;
constexpr double kReadNs = Pacer::kReadTenthsNs / 10.0;

class ReadPacerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeClock::now = 5'000'000'000;
    FakeClock::lookNs = 10;
    FakeClock::looksUntilStall = -1;
  }
  // The instants that n reads stand for.
  std::vector<int64_t> Read(int n) {
    std::vector<int64_t> instants;
    for (int i = 0; i < n; ++i) instants.push_back(pacer.Read([](int64_t t) { return t; }));
    return instants;
  }
  void Stall(int64_t afterLooks, int64_t ns) {
    FakeClock::looksUntilStall = afterLooks;
    FakeClock::stallNs = ns;
  }
  Pacer pacer;
};

// Instants that follow one another by exactly one read, give or take the
// rounding to whole nanoseconds.
void ExpectEvenlySpaced(const std::vector<int64_t>& instants, size_t from, size_t to) {
  for (size_t k = from; k < to; ++k) {
    ASSERT_NEAR(static_cast<double>(instants[k] - instants[from]), (k - from) * kReadNs, 1.0)
        << "read " << k;
  }
}

TEST_F(ReadPacerTest, ALoopOfReadsRunsAtTheNominalRateWithoutDrift) {
  const int64_t start = FakeClock::now;
  const std::vector<int64_t> instants = Read(10'000);
  ExpectEvenlySpaced(instants, 0, instants.size());
  EXPECT_GE(instants.front(), start + 666);
  EXPECT_LE(instants.back(), FakeClock::now);  // no read returns before its slot ends
  // Never faster than nominal, and the overshoot of each wait does not add up.
  const int64_t elapsed = FakeClock::now - start;
  EXPECT_GE(elapsed, 10'000 * kReadNs);
  EXPECT_LT(elapsed, 10'000 * kReadNs + 100);
}

TEST_F(ReadPacerTest, AShortStallIsPaidBackWithoutAGap) {
  const int64_t start = FakeClock::now;
  Stall(5'000, 1'000'000);  // 1 ms, some 75 reads in
  const std::vector<int64_t> instants = Read(6'000);
  ExpectEvenlySpaced(instants, 0, instants.size());
  const int64_t elapsed = FakeClock::now - start;
  EXPECT_GE(elapsed, 6'000 * kReadNs);
  EXPECT_LT(elapsed, 6'000 * kReadNs + 100);
}

TEST_F(ReadPacerTest, ALongStallLeavesAGapAndIsNotPaidBack) {
  Stall(5'000, 3 * Pacer::kMaxDebtNs);
  const std::vector<int64_t> instants = Read(6'000);
  std::vector<int64_t> steps;
  for (size_t k = 1; k < instants.size(); ++k) steps.push_back(instants[k] - instants[k - 1]);
  const auto gap = std::max_element(steps.begin(), steps.end()) - steps.begin();
  EXPECT_GE(steps[gap], 3 * Pacer::kMaxDebtNs);
  const size_t after = gap + 1;
  ExpectEvenlySpaced(instants, 0, after);
  ExpectEvenlySpaced(instants, after, instants.size());
  // The reads after the stall wait out their slots again.
  EXPECT_GE(FakeClock::now - instants[after], (instants.size() - 1 - after) * kReadNs);
}

TEST_F(ReadPacerTest, TimeSpentBetweenReadsIsNotPaidBack) {
  (void)Read(10);
  for (int i = 0; i < 100; ++i) {
    FakeClock::now += 50'000;  // the caller's own work, shorter than a pause
    const int64_t entry = FakeClock::now;
    (void)Read(1);
    ASSERT_GE(FakeClock::now - entry, kReadNs - Pacer::kLoopGraceNs - FakeClock::lookNs) << i;
  }
}

TEST_F(ReadPacerTest, APauseSettlesTheDebtOfAStall) {
  (void)Read(10);
  Stall(3, Pacer::kMaxDebtNs / 2);  // the next read comes back 5 ms late
  (void)Read(1);
  FakeClock::now += 2 * Pacer::kPauseNs;
  const int64_t start = FakeClock::now;
  (void)Read(3'000);  // 2 ms: all of it would be debt without the pause
  EXPECT_GE(FakeClock::now - start, 3'000 * kReadNs);
}

}  // namespace
}  // namespace korvalinx::demo
