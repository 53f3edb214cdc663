// Runs the real Linux grant in a process of its own and reports:
//   before none|some        whether any thread held a capability at the start
//   message CAPTION         once per message, followed by its text and a line "."
//   result N                the grant's result (for "drop": 0 dropped, 1 failed)
//   capabilities none|some  whether any thread still holds a capability
// Modes: "enable" runs EnablePortAccess, "drop" only the dropping of the
// capabilities; with "-with-thread" a second thread exists meanwhile.

#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "port/permission/LinuxPortGrant.h"
#include "port/permission/PortPermission.h"

namespace {

bool anyThreadHoldsCapabilities() {
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream status(task.path() / "status");
    std::string line;
    while (std::getline(status, line)) {
      if ((line.starts_with("CapPrm:") || line.starts_with("CapEff:") ||
           line.starts_with("CapInh:")) &&
          line.find_first_not_of("0 \t", 7) != std::string::npos) {
        return true;
      }
    }
  }
  return false;
}

const char* someOrNone(bool some) {
  return some ? "some" : "none";
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const bool withThread = mode.ends_with("-with-thread");
  std::printf("before %s\n", someOrNone(anyThreadHoldsCapabilities()));

  std::mutex mutex;
  std::condition_variable released;
  bool done = false;
  std::thread other;
  if (withThread) {
    other = std::thread([&] {
      std::unique_lock lock(mutex);
      released.wait(lock, [&] { return done; });
    });
  }

  int result = 2;
  if (mode.starts_with("enable")) {
    result = korvalinx::EnablePortAccess([](const std::string& text, const std::string& caption) {
      std::printf("message %s\n%s\n.\n", caption.c_str(), text.c_str());
    });
  } else if (mode.starts_with("drop")) {
    korvalinx::LinuxPortGrant grant;
    result = grant.dropCapabilities() ? 0 : 1;
    if (result != 0) std::printf("error %s\n", grant.errorText().c_str());
  }
  std::printf("result %d\n", result);
  std::printf("capabilities %s\n", someOrNone(anyThreadHoldsCapabilities()));

  if (withThread) {
    {
      std::lock_guard lock(mutex);
      done = true;
    }
    released.notify_one();
    other.join();
  }
  return 0;
}
