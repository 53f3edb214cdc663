#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "port/virtual/ReadPacer.h"

namespace korvalinx::demo {
namespace {

// What can keep a thread away from its reads, as the system counts it.
enum class Away {
  Preempted,  // off the processor, runnable: no processor time, no block
  Interrupt,  // the machine's own work on the thread's processor time
  Slept,      // blocked of its own accord: the event loop, a wait
  OwnWork,    // the caller's own code
};

// A clock that moves only when it is looked at, by a fixed cost per look
// spent on the processor, and a thread whose processor time and blocks it
// counts. A hold-up can be set to strike at a given look, inside a read.
struct FakeClock {
  static inline int64_t now = 0;
  static inline int64_t cpu = 0;
  static inline int64_t blocks = 0;
  static inline uintptr_t thread = 1;
  static inline int64_t lookNs = 10;
  static inline int64_t askNs = 2'500;  // the system call that tells ThreadUse
  static inline int64_t looksUntilHoldUp = -1;
  static inline Away pendingKind = Away::Preempted;
  static inline int64_t pendingNs = 0;
  static inline int64_t asks = 0;

  static void Reset() {
    now = 5'000'000'000;
    cpu = 1'000'000;
    blocks = 7;
    thread = 1;
    looksUntilHoldUp = -1;
    asks = 0;
  }
  static void Run(int64_t ns) {
    now += ns;
    cpu += ns;
  }
  static void HoldUp(Away kind, int64_t ns) {
    now += ns;
    if (kind == Away::Interrupt || kind == Away::OwnWork) cpu += ns;
    if (kind == Away::Slept) ++blocks;
  }
  static int64_t NowNs() {
    if (looksUntilHoldUp >= 0 && looksUntilHoldUp-- == 0) HoldUp(pendingKind, pendingNs);
    Run(lookNs);
    return now;
  }
  static ThreadUse Thread() {
    ++asks;
    Run(askNs);
    return {thread, cpu, blocks};
  }
};

using Pacer = ReadPacer<FakeClock>;
constexpr double kReadNs = Pacer::kReadTenthsNs / 10.0;

class ReadPacerTest : public ::testing::Test {
 protected:
  void SetUp() override { FakeClock::Reset(); }
  // The instants that n reads stand for, appended to `instants`.
  void Read(int n, std::vector<int64_t>& instants) {
    for (int i = 0; i < n; ++i) instants.push_back(pacer.Read([](int64_t t) { return t; }));
  }
  std::vector<int64_t> Read(int n) {
    std::vector<int64_t> instants;
    Read(n, instants);
    return instants;
  }
  // A hold-up that strikes while the next read waits out its slot.
  static void HoldUpInNextRead(Away kind, int64_t ns) {
    FakeClock::looksUntilHoldUp = 20;
    FakeClock::pendingKind = kind;
    FakeClock::pendingNs = ns;
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
  // Never faster than nominal, and the overshoot of each wait does not add
  // up; the one look at the thread when the loop starts is paid back.
  const int64_t elapsed = FakeClock::now - start;
  EXPECT_GE(elapsed, 10'000 * kReadNs);
  EXPECT_LT(elapsed, 10'000 * kReadNs + 100);
  EXPECT_EQ(FakeClock::asks, 1);
}

// Whatever holds the thread up inside a loop, between two reads or while a
// read waits, the instants stay evenly spaced: no gap in the signals. A
// hold-up is paid back, so that the loop has taken exactly its nominal time;
// one that the system's counts make look like the thread's own time (a fault
// charged to it, a block) is not, and makes the loop that much slower, never
// faster.
TEST_F(ReadPacerTest, HoldUpsInsideALoopLeaveNoGap) {
  struct Case {
    const char* name;
    Away kind;
    int64_t ns;
    bool betweenReads;
    bool paidBack;
  };
  for (const Case c : {
           Case{"interrupt between reads", Away::Interrupt, 25'000, true, true},
           Case{"interrupt in a read", Away::Interrupt, 25'000, false, true},
           Case{"fault between reads", Away::Interrupt, 600'000, true, true},
           Case{"short preemption between reads", Away::Preempted, 30'000, true, true},
           Case{"preemption between reads", Away::Preempted, 4'000'000, true, true},
           Case{"long preemption between reads", Away::Preempted, 40'000'000, true, true},
           Case{"preemption in a read", Away::Preempted, 4'000'000, false, true},
           Case{"long fault between reads", Away::Interrupt, 4'000'000, true, false},
           Case{"block between reads", Away::Slept, 400'000, true, false},
       }) {
    SCOPED_TRACE(c.name);
    FakeClock::Reset();
    pacer = Pacer();
    const int kReads = 100'000;  // enough to pay back 40 ms
    const int64_t start = FakeClock::now;
    std::vector<int64_t> instants = Read(1'000);
    if (c.betweenReads) {
      FakeClock::HoldUp(c.kind, c.ns);
    } else {
      HoldUpInNextRead(c.kind, c.ns);
    }
    Read(kReads - 1'000, instants);
    ExpectEvenlySpaced(instants, 0, instants.size());
    const int64_t elapsed = FakeClock::now - start;
    const double nominal = kReads * kReadNs + (c.paidBack ? 0 : c.ns);
    EXPECT_GE(elapsed, nominal);
    EXPECT_LT(elapsed, nominal + 100);
  }
}

// Between two loops the caller did something of its own: the next loop owes
// nothing, so it never runs faster than nominal (a capture never runs ahead,
// a calibration never measures a read shorter than it is), even when the
// loop before ended owing time. After a pause longer than any hold-up the
// instants are the clock again; after a shorter time away they go on from
// the last one, as if the thread had been held up.
TEST_F(ReadPacerTest, TheCallersOwnTimeBetweenLoopsIsNotPaidBack) {
  struct Case {
    const char* name;
    std::function<void()> between;
    bool pause;
  };
  const Case cases[] = {
      {"the event loop waited for the next 100 ms tick",
       [] { FakeClock::HoldUp(Away::Slept, 100'000'000); }, true},
      {"a short wait for a click", [] { FakeClock::HoldUp(Away::Slept, 40'000); }, false},
      {"the window's work",
       [] {
         FakeClock::HoldUp(Away::OwnWork, 2 * Pacer::kOwnWorkNs);
         FakeClock::HoldUp(Away::Slept, 1'000);  // returns to the event loop
       },
       false},
      {"the window's work, preempted on the way",
       [] {
         FakeClock::HoldUp(Away::OwnWork, Pacer::kOwnWorkNs / 2);
         FakeClock::HoldUp(Away::Preempted, 5'000'000);
         FakeClock::HoldUp(Away::OwnWork, Pacer::kOwnWorkNs / 2 + 1);
       },
       false},
      {"a capture on another thread",
       [] {
         FakeClock::HoldUp(Away::Preempted, 200'000);
         FakeClock::thread = 2;
       },
       false},
      {"a stop of the whole program",
       [] { FakeClock::HoldUp(Away::Preempted, 2 * Pacer::kMaxDebtNs); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeClock::Reset();
    pacer = Pacer();
    std::vector<int64_t> instants = Read(2'000);
    HoldUpInNextRead(Away::Preempted, 3'000'000);  // the loop ends owing 3 ms
    Read(10, instants);
    const size_t first = instants.size();
    c.between();
    const int64_t start = FakeClock::now;
    Read(3'000, instants);  // 2 ms
    EXPECT_GE(FakeClock::now - start, 3'000 * kReadNs);
    if (c.pause) {
      EXPECT_GE(instants[first], start + 666);
      ExpectEvenlySpaced(instants, first, instants.size());
    } else {
      ExpectEvenlySpaced(instants, 0, instants.size());
    }
  }
}

// The window's own work between two loops, after a read that was held up
// while it waited, is still the caller's: the hold-up is not taken for it.
TEST_F(ReadPacerTest, OwnWorkAfterAHoldUpInTheLastReadIsNotPaidBack) {
  (void)Read(2'000);
  HoldUpInNextRead(Away::Preempted, 20'000'000);
  (void)Read(1);
  FakeClock::HoldUp(Away::OwnWork, 2 * Pacer::kOwnWorkNs);
  const int64_t start = FakeClock::now;
  (void)Read(3'000);
  EXPECT_GE(FakeClock::now - start, 3'000 * kReadNs);
}

// The calibration: one million reads timed by the clock before and after, on
// a machine that interrupts and preempts the loop, after the window's own
// time. It measures the nominal read: neither the time before the loop nor
// the hold-ups inside it change it.
TEST_F(ReadPacerTest, ACalibrationMeasuresTheNominalRead) {
  struct Case {
    const char* name;
    Away before;
    int64_t beforeNs;
  };
  for (const Case c :
       {Case{"after the splash timer's wait", Away::Slept, 30'000'000},
        Case{"right after the window's work", Away::OwnWork, 2 * Pacer::kOwnWorkNs}}) {
    SCOPED_TRACE(c.name);
    FakeClock::Reset();
    pacer = Pacer();
    (void)pacer.Read([](int64_t t) { return t; });  // the live input boxes
    HoldUpInNextRead(Away::Preempted, 2'000'000);
    (void)pacer.Read([](int64_t t) { return t; });
    FakeClock::HoldUp(c.before, c.beforeNs);
    constexpr int kReads = 1'000'000;
    const int64_t t0 = FakeClock::NowNs();
    for (int i = 0; i < kReads; ++i) {
      if (i % 100'000 == 50'000) FakeClock::HoldUp(Away::Preempted, 2'000'000);
      if (i % 100'000 == 70'000) HoldUpInNextRead(Away::Preempted, 3'000'000);
      if (i % 1'000 == 500) FakeClock::HoldUp(Away::Interrupt, 20'000);
      (void)pacer.Read([](int64_t t) { return t; });
    }
    const int64_t t1 = FakeClock::NowNs();
    const double microsPerRead = static_cast<double>(t1 - t0) / kReads / 1000.0;
    EXPECT_GE(microsPerRead, 0.6666);
    EXPECT_LT(microsPerRead, 0.66661);
  }
}

}  // namespace
}  // namespace korvalinx::demo
