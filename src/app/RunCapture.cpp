#include "app/RunCapture.h"

#include "acquire/CaptureStop.h"
#include "app/DisplaySurface.h"
#include "platform/InputHold.h"
#include "platform/WorkerThread.h"

namespace korvalinx {
namespace {

class FullPaintHold {
 public:
  explicit FullPaintHold(DisplaySurface* surface) : surface_(surface) {
    surface_->holdFullPaints(true);
  }
  // A full repaint asked during the capture runs now.
  ~FullPaintHold() { surface_->holdFullPaints(false); }
  FullPaintHold(const FullPaintHold&) = delete;
  FullPaintHold& operator=(const FullPaintHold&) = delete;

 private:
  DisplaySurface* surface_;
};

}  // namespace

void RunCapture(QWidget* window, DisplaySurface* surface, std::function<void()> onEscape,
                const std::function<void()>& capture) {
  ClearCaptureStop();
  FullPaintHold paints(surface);
  InputHold hold({window,
                  [onEscape = std::move(onEscape)] {
                    RequestCaptureStop();
                    if (onEscape) onEscape();
                  },
                  [] { RequestCaptureStop(); }});
  RunOnWorkerThread(capture, [] { RequestCaptureStop(); });
}

}  // namespace korvalinx
