#pragma once
// Interrupts a blocking system call of the calling thread after a time, so
// that a wait the kernel offers no time-out for cannot hang the program.
// While armed, a POSIX timer sends a signal to this thread only: first after
// `after`, then every few milliseconds until the alarm is destroyed (a signal
// that came just before the thread went to sleep would otherwise be lost).
// The signal's handler does nothing and is installed with SA_RESTART, so
// calls that the kernel restarts go on unharmed; a wait that is interruptible
// but not restartable (a ppdev claim, poll) returns EINTR.

#include <signal.h>

#include <chrono>
#include <ctime>

namespace korvalinx {

class ThreadAlarm {
 public:
  explicit ThreadAlarm(std::chrono::milliseconds after);
  ~ThreadAlarm();
  ThreadAlarm(const ThreadAlarm&) = delete;
  ThreadAlarm& operator=(const ThreadAlarm&) = delete;

  // The timer could be created; without it nothing interrupts the call.
  bool armed() const { return armed_; }
  // The time has run out.
  bool expired() const;

 private:
  bool armed_ = false;
  timer_t timer_{};
  sigset_t savedMask_{};
  std::chrono::steady_clock::time_point deadline_;
};

}  // namespace korvalinx
