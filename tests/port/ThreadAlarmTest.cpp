#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>

#include <cerrno>
#include <thread>

#include "port/parport/ThreadAlarm.h"

namespace korvalinx {
namespace {

// A wait with no end of its own (as a claim of a port another driver keeps)
// is ended by the alarm with EINTR.
TEST(ThreadAlarmTest, EndsAnEndlessInterruptibleWait) {
  ThreadAlarm alarm(std::chrono::milliseconds(20));
  ASSERT_TRUE(alarm.armed());
  const int result = ::poll(nullptr, 0, -1);
  EXPECT_EQ(result, -1);
  EXPECT_EQ(errno, EINTR);
  EXPECT_TRUE(alarm.expired());
}

// Also on a thread that blocks every signal (as some libraries' worker
// threads do).
TEST(ThreadAlarmTest, ReachesAThreadThatBlocksSignals) {
  int result = 0;
  int error = 0;
  std::thread worker([&] {
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);
    ThreadAlarm alarm(std::chrono::milliseconds(20));
    result = ::poll(nullptr, 0, -1);
    error = errno;
  });
  worker.join();
  EXPECT_EQ(result, -1);
  EXPECT_EQ(error, EINTR);
}

// Once the alarm is gone, nothing interrupts the thread any more.
TEST(ThreadAlarmTest, LeavesLaterWaitsAlone) {
  { ThreadAlarm alarm(std::chrono::milliseconds(1)); }
  {
    ThreadAlarm alarm(std::chrono::milliseconds(1));
    ::poll(nullptr, 0, -1);
  }
  EXPECT_EQ(::poll(nullptr, 0, 50), 0);  // ran its full time: no signal came
}

}  // namespace
}  // namespace korvalinx
