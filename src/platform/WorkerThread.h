#pragma once
#include <functional>

namespace korvalinx {

// Runs `work` on a thread of its own while the calling (window) thread goes
// on handling its events in a local loop, and returns when `work` has
// returned. If the local loop is ended from outside before that (the
// application quits), `abandon` is called to ask the work to end, and the
// call still waits for it. An exception that `work` throws is thrown here.
void RunOnWorkerThread(const std::function<void()>& work, const std::function<void()>& abandon);

}  // namespace korvalinx
