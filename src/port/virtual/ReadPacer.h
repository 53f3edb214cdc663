#pragma once
// Gives every read of the virtual port the duration of a real port read by
// busy-waiting on a cheap monotonic clock, so that the reads of a loop stand
// for evenly spaced instants whatever the scheduler does, and a loop of reads
// timed from outside (the calibration) takes its nominal time.
//
// Reads follow a schedule: each one owns a slot of exactly kReadTenthsNs and
// returns no sooner than the end of its slot. When the thread is held up,
// inside a read (preempted while it waits) or between two reads of a loop (an
// interrupt, or a preemption that falls between the wait's last look at the
// clock and the next read), the schedule stays where it was and the reads
// that follow do not wait until it is met again: the loop keeps the nominal
// rate counted from its start.
//
// What must not be paid back that way is the caller's own time between two
// loops: a capture that started in debt would run ahead of the nominal rate,
// and a calibration would measure reads faster than they are. How long the
// thread was away does not tell the two apart (a preemption on a busy
// machine takes milliseconds, and so does the window's work between two
// captures), but what the thread did does: the loops do nothing between
// their reads, so a time away was the caller's own when the thread
//   - blocked of its own accord (the event loop waited for a tick or a click,
//     a worker thread waited for the next capture),
//   - is not the thread that read before, or
//   - used more than kOwnWorkNs of processor time;
// then the schedule moves on to the present instead. Times away up to
// kLoopGraceNs are a loop's own overhead and are not looked into; a longer
// one asks the system about the thread (a few microseconds of system calls,
// paid back like any other hold-up).
//
// The system's counts are not exact: it charges interrupts and faults to the
// thread they interrupt (on a loaded virtual machine up to milliseconds at a
// time), and a thread now and then blocks inside a loop for reasons of the
// system's own. So the instant that a read stands for does not hang on that
// judgement: it is the schedule less the time that was not paid back, and
// every read stands for one read's time after the one before, unless the
// reads pause for more than kPauseNs, far longer than a busy machine holds up
// a runnable thread. After such a pause the instants are the clock again. A misjudged hold-up
// therefore never cuts a gap into the signals; it only makes a loop that much slower than nominal.
// (The one misjudgement the other way is the caller's own work of less than
// kOwnWorkNs with neither a block nor another thread between two loops: the
// next loop then starts up to that much in debt.) A debt of more than
// kMaxDebtNs (the machine stopped) is not paid back either.
//
// Clock is any type with
//   static int64_t NowNs();        a monotonic clock that never goes back,
//   static ThreadUse Thread();     what the system counts for the calling thread.
// Reads may come from different threads, one at a time: the caller orders
// them (the hand-over of a capture to another thread synchronises).

#include <cstdint>

namespace korvalinx::demo {

// What the system counts for a thread.
struct ThreadUse {
  uintptr_t thread = 0;  // which thread: differs from one thread to the next
  int64_t cpuNs = 0;     // processor time used so far
  int64_t blocks = 0;    // times the thread gave up the processor of its own accord
};

struct ReadPacing {
  // One read: 0.6666 us, kept in tenths of a nanosecond so that no rounding
  // builds up from read to read.
  static constexpr int64_t kReadTenthsNs = 6666;
  static constexpr int64_t kLoopGraceNs = 1'000;
  static constexpr int64_t kOwnWorkNs = 1'000'000;
  static constexpr int64_t kPauseNs = 50'000'000;
  static constexpr int64_t kMaxDebtNs = 1'000'000'000;
};

template <typename Clock>
class ReadPacer : public ReadPacing {
 public:
  // Waits out one read and returns valueAt(t), where t is the instant (clock
  // nanoseconds) that the read stands for. The value is formed before the
  // wait, so its cost is hidden in the read's own time.
  template <typename ValueAt>
  auto Read(ValueAt&& valueAt) {
    const int64_t entryNs = Clock::NowNs();
    int64_t now = entryNs;
    const int64_t away = now - lastExitNs_;
    if (away > kPauseNs) {
      Mark(now);
      lastEndTenths_ = now * 10;  // a fresh schedule, and the instants are the clock's
      lagTenths_ = 0;
    } else if (away > kLoopGraceNs && WasCallersOwnTime(now)) {
      MoveTo(now);
    }
    if (now - lastEndTenths_ / 10 > kMaxDebtNs) MoveTo(now);
    lastEndTenths_ += kReadTenthsNs;
    const int64_t endNs = (lastEndTenths_ + 9) / 10;
    auto value = valueAt(LastReadNs());
    // At least one look after the value was formed: a read that owes time
    // does not wait, and its end is still taken from the clock.
    do now = Clock::NowNs();
    while (now < endNs);
    if (now - entryNs > kOwnWorkNs) {
      // Held up in this read: look at the thread again, so that the time
      // away before the next read is judged from here.
      Mark(now);
      now = Clock::NowNs();
    }
    lastExitNs_ = now;
    return value;
  }

  // The instant that the last read stood for, in clock nanoseconds.
  int64_t LastReadNs() const { return (lastEndTenths_ - lagTenths_ + 9) / 10; }

 private:
  // Whether the time since the last read ended was the caller's own rather
  // than a hold-up. `now` is the clock on entry.
  bool WasCallersOwnTime(int64_t now) {
    const ThreadUse before = mark_;
    const int64_t markedAt = markNs_;
    Mark(now);
    if (mark_.thread != before.thread || mark_.blocks != before.blocks) return true;
    // From the last look to the last read's end the thread was reading; the
    // rest of the processor time it used since is its own.
    const int64_t ownNs = (mark_.cpuNs - before.cpuNs) - (lastExitNs_ - markedAt);
    return ownNs > kOwnWorkNs;
  }

  void Mark(int64_t now) {
    mark_ = Clock::Thread();
    markNs_ = now;
  }

  // The schedule continues from the present; what it owed is not paid back
  // but the instants go on from the last one.
  void MoveTo(int64_t now) {
    lagTenths_ += now * 10 - lastEndTenths_;
    lastEndTenths_ = now * 10;
  }

  int64_t lastEndTenths_ = 0;
  // How far the instants are behind the schedule: the time not paid back
  // since the last pause.
  int64_t lagTenths_ = 0;
  // Far enough in the past that the first read starts a fresh schedule.
  int64_t lastExitNs_ = INT64_MIN / 4;
  // The thread as the last look found it, and when that was.
  ThreadUse mark_;
  int64_t markNs_ = 0;
};

}  // namespace korvalinx::demo
