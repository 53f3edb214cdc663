#pragma once
#include <QWidget>
#include <functional>

namespace korvalinx {

class DisplaySurface;

// Runs one capture on a thread of its own and returns when it has ended.
// Meanwhile the window goes on painting (only showing its drawing surface:
// the buffer that the full repaint draws from is being written), answers
// Escape and its close request by stopping the capture, and holds every
// other input and timer tick until the handler that called this has
// returned. `onEscape` runs after the stop request for an Escape; a close
// request closes the window once the held input is delivered.
void RunCapture(QWidget* window, DisplaySurface* surface, std::function<void()> onEscape,
                const std::function<void()>& capture);

}  // namespace korvalinx
