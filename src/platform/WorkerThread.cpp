#include "platform/WorkerThread.h"

#include <QEventLoop>
#include <atomic>
#include <exception>
#include <thread>

namespace korvalinx {

void RunOnWorkerThread(const std::function<void()>& work, const std::function<void()>& abandon) {
  QEventLoop loop;
  std::atomic<bool> done{false};
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
    done.store(true, std::memory_order_release);
    // Queued: the loop that waits for it handles it, however soon it comes.
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  if (!done.load(std::memory_order_acquire)) {
    // The loop was ended from outside. The work may still need this thread
    // (a blocking call to a widget), so events go on being handled until it
    // has ended.
    if (abandon) abandon();
    while (!done.load(std::memory_order_acquire)) loop.processEvents(QEventLoop::WaitForMoreEvents);
  }
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace korvalinx
