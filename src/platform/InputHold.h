#pragma once
// While a long job (a capture) runs off the window's thread, the window goes
// on painting, but nothing the user does acts and no timer handler runs:
// input events, close requests and timer ticks wait, in the order they
// came, and are delivered after the handler that started the job has
// returned, as they would have been had the job held the thread. Only
// Escape and a close request of the main window are answered at once,
// through the hold's handlers.
//
// What waits: key, mouse, wheel, tablet, touch, context-menu, input-method
// and drag events to any widget or window, close requests, the ticks of
// the program's Timers and the timer events of widgets (a scroll bar's or a
// button's auto-repeat). Ticks of one timer coalesce to one pending tick,
// which is dropped if the timer has been restarted or stopped meanwhile.
// Paints, resizes, exposes and queued calls are not held.

#include <QPointer>
#include <QWidget>
#include <functional>

namespace korvalinx {

class InputHold {
 public:
  struct Handlers {
    // The main window: its close request is answered by onClose, and the
    // window closes (close sequence and all) once the held input is
    // delivered.
    QPointer<QWidget> window;
    std::function<void()> onEscape;
    std::function<void()> onClose;
  };

  // Starts holding; at most one hold exists at a time.
  explicit InputHold(Handlers handlers);
  // Stops answering Escape and close requests. Input keeps waiting until
  // the event loop has come back from the current handler; then everything
  // held is delivered in order.
  ~InputHold();
  InputHold(const InputHold&) = delete;
  InputHold& operator=(const InputHold&) = delete;

  // Whether input is held now (a hold exists or its delivery is pending).
  static bool holding();
  // Adds an action to the held input, delivered in its place in the order;
  // runs it at once when nothing is held.
  static void defer(std::function<void()> action);
  // How many held items wait for delivery; any thread may ask.
  static int waiting();
};

}  // namespace korvalinx
