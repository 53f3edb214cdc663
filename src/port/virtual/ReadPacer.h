#pragma once
// Gives every read of the virtual port the duration of a real port read by
// busy-waiting on a cheap monotonic clock.
//
// Reads follow a schedule: each one owns a slot of exactly kReadTenthsNs and
// returns no sooner than the end of its slot. A read that came back late
// (the thread was interrupted or preempted while waiting, or the clock is
// coarse) leaves a debt that the following reads pay back by not waiting
// until the schedule is met again, so the reads of a loop keep the nominal
// rate on average and the instants they stand for stay evenly spaced. The
// few nanoseconds of a tight loop around the reads (kLoopGraceNs, which also
// covers the look at the clock on entry) are part of the slot, so a loop of
// reads runs at exactly the nominal rate; whatever more the caller spends
// between reads is never paid back: it moves the schedule. A debt above
// kMaxDebtNs, or a pause of the caller longer than kPauseNs, starts a fresh
// schedule, so reads never run ahead of the nominal rate counted from the
// start of any loop that follows a pause. (A preemption that falls between
// the wait's last look at the clock and the next read looks like the
// caller's own time and is not paid back either: on a busy machine the
// reads come out a little slower than nominal, never faster.)
//
// Clock is any type with a static `int64_t NowNs()` that never goes back.

#include <cstdint>

namespace korvalinx::demo {

template <typename Clock>
class ReadPacer {
 public:
  // One read: 0.6666 us, kept in tenths of a nanosecond so that no rounding
  // builds up from read to read.
  static constexpr int64_t kReadTenthsNs = 6666;
  static constexpr int64_t kMaxDebtNs = 100'000'000;
  static constexpr int64_t kLoopGraceNs = 200;
  static constexpr int64_t kPauseNs = 100'000;

  // Waits out one read and returns valueAt(t), where t is the instant (clock
  // nanoseconds) at which the read's slot ends. The value is formed before
  // the wait, so its cost is hidden in the read's own time.
  template <typename ValueAt>
  auto Read(ValueAt&& valueAt) {
    int64_t now = Clock::NowNs();
    const int64_t away = now - lastExitNs_;
    if (away > kPauseNs || lastExitNs_ - lastEndTenths_ / 10 > kMaxDebtNs) {
      lastEndTenths_ = now * 10;  // a fresh schedule that starts now
    } else if (away > kLoopGraceNs) {
      lastEndTenths_ += (away - kLoopGraceNs) * 10;  // the caller's own time is not paid back
    }
    lastEndTenths_ += kReadTenthsNs;
    const int64_t endNs = (lastEndTenths_ + 9) / 10;
    auto value = valueAt(endNs);
    while (now < endNs) now = Clock::NowNs();
    lastExitNs_ = now;
    return value;
  }

  // The instant that the last read stood for, in clock nanoseconds.
  int64_t LastReadNs() const { return (lastEndTenths_ + 9) / 10; }

 private:
  int64_t lastEndTenths_ = 0;
  // Far enough in the past that the first read starts a fresh schedule.
  int64_t lastExitNs_ = INT64_MIN / 4;
};

}  // namespace korvalinx::demo
