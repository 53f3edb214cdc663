// Enabling a disabled timer starts its interval afresh; enabling an enabled
// one changes nothing; disabling stops it.

#include <gtest/gtest.h>

#include <QTest>

#include "platform/Timer.h"

namespace korvalinx {
namespace {

TEST(TimerTest, EnablingRestartsTheIntervalOnlyWhenItWasDisabled) {
  // The toolkit may let a long interval end up to 5 % early, and counts
  // the remaining time that way: after 1.5 s of 10 s at most 9 s remain, a
  // fresh countdown has at least 9.5 s.
  constexpr int kInterval = 10000;
  constexpr int kBetween = 9250;
  Timer timer(kInterval, nullptr);
  EXPECT_FALSE(timer.enabled());
  timer.setEnabled(true);
  ASSERT_TRUE(timer.enabled());
  QTest::qWait(1500);
  const int running = timer.remainingTime();
  EXPECT_LT(running, kBetween);

  timer.setEnabled(true);  // already enabled: the countdown goes on
  EXPECT_LE(timer.remainingTime(), running);

  timer.setEnabled(false);
  EXPECT_FALSE(timer.enabled());
  timer.setEnabled(true);  // afresh
  EXPECT_GT(timer.remainingTime(), kBetween);
}

TEST(TimerTest, EachTickRunsTheHandler) {
  Timer timer(1, nullptr);
  int ticks = 0;
  timer.setOnTimer([&] {
    if (++ticks == 3) timer.setEnabled(false);
  });
  timer.setEnabled(true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !timer.enabled(); }, 5000));
  EXPECT_EQ(ticks, 3);
}

}  // namespace
}  // namespace korvalinx
