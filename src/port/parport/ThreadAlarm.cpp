#include "port/parport/ThreadAlarm.h"

#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <mutex>

namespace korvalinx {

namespace {

// A real-time signal that neither glibc nor Qt uses.
int AlarmSignal() {
  return SIGRTMIN + 4;
}

void IgnoreAlarm(int) {}

void InstallHandlerOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction action {};
    action.sa_handler = IgnoreAlarm;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(AlarmSignal(), &action, nullptr);
  });
}

constexpr long kRepeatNs = 5'000'000;

}  // namespace

ThreadAlarm::ThreadAlarm(std::chrono::milliseconds after)
    : deadline_(std::chrono::steady_clock::now() + after) {
  InstallHandlerOnce();
  // A thread that blocks the signal would never see it.
  sigset_t alarmOnly;
  sigemptyset(&alarmOnly);
  sigaddset(&alarmOnly, AlarmSignal());
  pthread_sigmask(SIG_UNBLOCK, &alarmOnly, &savedMask_);
  sigevent event{};
  event.sigev_notify = SIGEV_THREAD_ID;
  event.sigev_signo = AlarmSignal();
  event._sigev_un._tid = static_cast<pid_t>(::syscall(SYS_gettid));
  if (timer_create(CLOCK_MONOTONIC, &event, &timer_) != 0) return;
  itimerspec spec{};
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(after).count();
  spec.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
  spec.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
  if (spec.it_value.tv_sec == 0 && spec.it_value.tv_nsec == 0) spec.it_value.tv_nsec = 1;
  spec.it_interval.tv_nsec = kRepeatNs;
  if (timer_settime(timer_, 0, &spec, nullptr) != 0) {
    timer_delete(timer_);
    return;
  }
  armed_ = true;
}

ThreadAlarm::~ThreadAlarm() {
  // A signal still pending now is taken by the empty handler on the way back
  // from this call, before the thread can wait on anything else.
  if (armed_) timer_delete(timer_);
  pthread_sigmask(SIG_SETMASK, &savedMask_, nullptr);
}

bool ThreadAlarm::expired() const {
  return std::chrono::steady_clock::now() >= deadline_;
}

}  // namespace korvalinx
