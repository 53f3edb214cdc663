#pragma once
// Gives every read of the virtual port the duration of a real port read by
// busy-waiting on a cheap monotonic clock, so that the reads of a loop stand
// for evenly spaced instants whatever the scheduler does.
//
// Reads follow a schedule: each one owns a slot of exactly kReadTenthsNs and
// returns no sooner than the end of its slot; its value is the signal at that
// instant. When the thread is held up, inside a read (preempted while it
// waits) or between two reads of a loop (an interrupt, or a preemption that
// falls between the wait's last look at the clock and the next read), the
// schedule stays where it was: the reads that follow do not wait until it is
// met again. So a loop of reads keeps the nominal rate counted from its start
// and its instants stay evenly spaced: no gap in the signals, and the
// calibration, which times a loop from outside, measures the nominal read.
//
// What must not be paid back is the caller's own time between two loops: a
// capture that started with that debt would run ahead of the nominal rate,
// and a calibration would measure reads faster than they are. How long the
// thread was away does not tell the two apart (a preemption on a busy
// machine takes milliseconds, and so does the window's work between two
// captures), but what it did does: the loops do nothing between their reads,
// so a time away is the end of a loop when the thread
//   - blocked of its own accord (the event loop waited for a tick or a click,
//     a worker thread waited for the next capture),
//   - is not the thread that read before, or
//   - used more than kOwnWorkNs of processor time (more than an interrupt or
//     a fault takes while a loop runs),
// and then a fresh schedule starts at once. A hold-up of more than kMaxDebtNs
// (the machine clearly stopped) starts afresh too. Times away up to
// kLoopGraceNs are a loop's own overhead and are not looked into; a longer
// one asks the system about the thread: one call of a few microseconds, which
// the schedule pays back like any other hold-up.
//
// Clock is any type with
//   static int64_t NowNs();        a monotonic clock that never goes back,
//   static ThreadUse Thread();     what the system says of the calling thread.
// Reads may come from different threads, one at a time: the caller orders
// them (the hand-over of a capture to another thread synchronises).

#include <cstdint>

namespace korvalinx::demo {

// What the system counts for a thread.
struct ThreadUse {
  uintptr_t thread = 0;  // differs between threads that live at the same time
  int64_t cpuNs = 0;     // processor time used so far
  int64_t blocks = 0;    // times the thread gave up the processor of its own accord
};

template <typename Clock>
class ReadPacer {
 public:
  // One read: 0.6666 us, kept in tenths of a nanosecond so that no rounding
  // builds up from read to read.
  static constexpr int64_t kReadTenthsNs = 6666;
  static constexpr int64_t kLoopGraceNs = 1'000;
  static constexpr int64_t kOwnWorkNs = 500'000;
  static constexpr int64_t kMaxDebtNs = 1'000'000'000;

  // Waits out one read and returns valueAt(t), where t is the instant (clock
  // nanoseconds) at which the read's slot ends. The value is formed before
  // the wait, so its cost is hidden in the read's own time.
  template <typename ValueAt>
  auto Read(ValueAt&& valueAt) {
    const int64_t entryNs = Clock::NowNs();
    int64_t now = entryNs;
    bool fresh = now - lastEndTenths_ / 10 > kMaxDebtNs;
    if (now - lastExitNs_ > kLoopGraceNs) fresh = WasCallersOwnTime(now) || fresh;
    if (fresh) lastEndTenths_ = now * 10;
    lastEndTenths_ += kReadTenthsNs;
    const int64_t endNs = (lastEndTenths_ + 9) / 10;
    auto value = valueAt(endNs);
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
  int64_t LastReadNs() const { return (lastEndTenths_ + 9) / 10; }

 private:
  // Whether the time since the last read ended was the caller's own (the
  // end of a loop) rather than a hold-up. `now` is the clock on entry.
  bool WasCallersOwnTime(int64_t now) {
    const ThreadUse before = mark_;
    const int64_t markedAt = markNs_;
    const bool known = marked_;
    Mark(now);
    if (!known || mark_.thread != before.thread || mark_.blocks != before.blocks) return true;
    // From the last look to the last read's end the thread was reading; the
    // rest of the processor time it used since is its own.
    const int64_t ownNs = (mark_.cpuNs - before.cpuNs) - (lastExitNs_ - markedAt);
    return ownNs > kOwnWorkNs;
  }

  void Mark(int64_t now) {
    mark_ = Clock::Thread();
    markNs_ = now;
    marked_ = true;
  }

  int64_t lastEndTenths_ = 0;
  // Far enough in the past that the first read starts a fresh schedule.
  int64_t lastExitNs_ = INT64_MIN / 4;
  // The thread as the last look found it, and when that was.
  ThreadUse mark_;
  int64_t markNs_ = 0;
  bool marked_ = false;
};

}  // namespace korvalinx::demo
