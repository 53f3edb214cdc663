#include "platform/InputHold.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QTimerEvent>
#include <QWindow>
#include <atomic>
#include <deque>
#include <memory>

#include "platform/Timer.h"

namespace korvalinx {
namespace {

bool IsInputEvent(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::NativeGesture:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

// The top-level widget that a window of the window system shows.
QWidget* WidgetOfWindow(QWindow* window) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->windowHandle() == window) return w;
  return nullptr;
}

// A timer event that waits: the program's Timers (their QTimer's ticks)
// and the timers of widgets (auto-repeat), never Qt's own.
bool IsHeldTimer(QObject* receiver) {
  if (receiver->isWidgetType()) return true;
  return qobject_cast<QTimer*>(receiver) && qobject_cast<Timer*>(receiver->parent());
}

class HoldFilter : public QObject {
 public:
  enum class State { Idle, Running, Delivering };

  State state = State::Idle;
  InputHold::Handlers handlers;

  void start(InputHold::Handlers h) {
    handlers = std::move(h);
    if (state == State::Idle) qApp->installEventFilter(this);
    state = State::Running;
  }

  void finish() {
    handlers = {};
    state = State::Delivering;
    // After the handler that ran the job has returned to the event loop.
    QMetaObject::invokeMethod(
        this, [this] { deliver(); }, Qt::QueuedConnection);
  }

  void defer(std::function<void()> action, const QObject* timer = nullptr, int timerId = 0) {
    held_.push_back({std::move(action), timer, timerId});
    waiting_.store(static_cast<int>(held_.size()), std::memory_order_relaxed);
  }

  int waiting() const { return waiting_.load(std::memory_order_relaxed); }

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride) {
      // Accepted: the key goes to the focus as a plain key (and waits), so
      // no shortcut acts meanwhile.
      event->accept();
      return true;
    }
    if (type == QEvent::Close) return holdClose(receiver, event);
    if (type == QEvent::Timer) {
      if (!IsHeldTimer(receiver)) return false;
      holdTick(receiver, static_cast<QTimerEvent*>(event)->timerId());
      return true;
    }
    if (!IsInputEvent(type)) return false;
    if (!receiver->isWidgetType() && !receiver->isWindowType()) return false;
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
      if (state == State::Running && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // The stop request: taken here, never delivered.
        if (type == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat() &&
            handlers.onEscape)
          handlers.onEscape();
        return true;
      }
    }
    holdEvent(receiver, event);
    return true;
  }

 private:
  struct Held {
    std::function<void()> deliver;
    const QObject* timer;  // a tick: at most one per timer waits
    int timerId;
  };

  void holdEvent(QObject* receiver, QEvent* event) {
    std::shared_ptr<QEvent> copy(event->clone());
    defer([to = QPointer<QObject>(receiver), copy] {
      if (to) QCoreApplication::sendEvent(to, copy.get());
    });
  }

  void holdTick(QObject* timer, int timerId) {
    for (const Held& h : held_)
      if (h.timer == timer && h.timerId == timerId) return;
    // The timer checks the id: a tick of a timer stopped or restarted since
    // is dropped, as a desktop timer's pending tick is.
    defer(
        [to = QPointer<QObject>(timer), timerId] {
          if (!to) return;
          QTimerEvent tick(timerId);
          QCoreApplication::sendEvent(to, &tick);
        },
        timer, timerId);
  }

  bool holdClose(QObject* receiver, QEvent* event) {
    QWidget* widget = nullptr;
    if (receiver->isWidgetType())
      widget = static_cast<QWidget*>(receiver);
    else if (receiver->isWindowType())
      widget = WidgetOfWindow(static_cast<QWindow*>(receiver));
    if (!widget || !widget->isWindow()) return false;
    event->ignore();  // refused for now: the window stays open
    if (widget == handlers.window && state == State::Running && handlers.onClose)
      handlers.onClose();
    defer([w = QPointer<QWidget>(widget)] {
      if (w) w->close();
    });
    return true;
  }

  void deliver() {
    if (state != State::Delivering) return;  // a new hold took over
    qApp->removeEventFilter(this);
    state = State::Idle;
    // A delivered item may start a new hold: what is left waits for its
    // delivery, behind what it holds.
    while (!held_.empty() && state == State::Idle) {
      Held next = std::move(held_.front());
      held_.pop_front();
      waiting_.store(static_cast<int>(held_.size()), std::memory_order_relaxed);
      next.deliver();
    }
  }

  std::deque<Held> held_;
  std::atomic<int> waiting_{0};
};

HoldFilter& Filter() {
  static HoldFilter* filter = new HoldFilter;  // lives for the whole run
  return *filter;
}

}  // namespace

InputHold::InputHold(Handlers handlers) {
  Filter().start(std::move(handlers));
}

InputHold::~InputHold() {
  Filter().finish();
}

bool InputHold::holding() {
  return Filter().state != HoldFilter::State::Idle;
}

void InputHold::defer(std::function<void()> action) {
  if (!holding()) {
    action();
    return;
  }
  Filter().defer(std::move(action));
}

int InputHold::waiting() {
  return Filter().waiting();
}

}  // namespace korvalinx
