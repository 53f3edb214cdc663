#include "platform/Timer.h"

namespace korvalinx {

// The tick's QTimer is a child of the Timer, so that an InputHold knows its
// ticks as the program's own.
Timer::Timer(int intervalMs, QObject* parent) : QObject(parent), timer_(this) {
  timer_.setInterval(intervalMs);
  connect(&timer_, &QTimer::timeout, this, [this] { fire(); });
}

void Timer::setEnabled(bool on) {
  if (on == timer_.isActive()) return;
  if (on)
    timer_.start();
  else
    timer_.stop();
}

}  // namespace korvalinx
