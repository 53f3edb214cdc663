#include "platform/Timer.h"

namespace korvalinx {

Timer::Timer(int intervalMs, QObject* parent) : QObject(parent) {
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
