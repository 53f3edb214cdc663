#include "acquire/CaptureStop.h"

#include <atomic>

namespace korvalinx {
namespace {

// Relaxed is enough: the flag carries no data with it, and the thread that
// runs the capture is joined (or its end otherwise synchronised) before
// anyone reads what it stored.
std::atomic<bool> stopRequested{false};

}  // namespace

void RequestCaptureStop() {
  stopRequested.store(true, std::memory_order_relaxed);
}
void ClearCaptureStop() {
  stopRequested.store(false, std::memory_order_relaxed);
}
bool CaptureStopRequested() {
  return stopRequested.load(std::memory_order_relaxed);
}

}  // namespace korvalinx
