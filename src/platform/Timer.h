#pragma once
#include <QObject>
#include <QTimer>
#include <functional>

namespace korvalinx {

// A timer with an Enabled switch: enabling a disabled timer starts its
// interval afresh; disabling stops it; enabling an enabled one changes
// nothing.
class Timer : public QObject {
  Q_OBJECT
 public:
  Timer(int intervalMs, QObject* parent);
  void setOnTimer(std::function<void()> handler) { onTimer_ = std::move(handler); }
  bool enabled() const { return timer_.isActive(); }
  void setEnabled(bool on);
  int interval() const { return timer_.interval(); }
  // Milliseconds until the next tick; -1 while disabled.
  int remainingTime() const { return timer_.remainingTime(); }
  // Runs the handler as a tick would (tests).
  void fire() {
    if (onTimer_) onTimer_();
  }

 private:
  QTimer timer_;
  std::function<void()> onTimer_;
};

}  // namespace korvalinx
