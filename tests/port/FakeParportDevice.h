#pragma once
// The parport device driver in memory: every call is recorded as a line of
// text ("claim", "read data", ...), each device can be told to refuse the
// open or the claim or to fail its register ioctls, and the clock is set by
// the test.

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "port/parport/ParportDevice.h"

namespace korvalinx::testing {

class FakeParportDevice final : public ParportDevice {
 public:
  // Device paths are recorded without this prefix (the fixture's root).
  std::string root;

  // Refusals, by device path without the root.
  std::map<std::string, int> openErrors;
  // Results of the claims in turn; 0 once they run out.
  std::deque<int> claimResults;
  // When set, every register ioctl fails with it.
  std::atomic<int> registerError{0};

  std::uint8_t data = 0x5A;
  std::uint8_t status = 0x78;
  std::uint8_t control = 0x0C;
  std::string group = "lp";
  std::int64_t now = 100'000;

  std::vector<std::string> calls;
  std::vector<std::string> faults;  // calls on descriptors that are not open

  std::vector<std::string> takeCalls() {
    std::lock_guard lock(mutex_);
    auto taken = std::move(calls);
    calls.clear();
    return taken;
  }
  std::set<int> openFds() {
    std::lock_guard lock(mutex_);
    return open_;
  }

  int open(const std::string& path) override {
    std::lock_guard lock(mutex_);
    const std::string name = path.substr(path.rfind('/') + 1);
    calls.push_back("open " + name);
    if (auto it = openErrors.find(name); it != openErrors.end()) return -it->second;
    const int fd = nextFd_++;
    open_.insert(fd);
    names_[fd] = name;
    return fd;
  }
  void close(int fd) override {
    std::lock_guard lock(mutex_);
    record(fd, "close");
    open_.erase(fd);
  }
  int exclusive(int fd) override { return plain(fd, "exclusive"); }
  int claim(int fd) override {
    std::lock_guard lock(mutex_);
    record(fd, "claim");
    if (claimResults.empty()) return 0;
    const int result = claimResults.front();
    claimResults.pop_front();
    return result;
  }
  int release(int fd) override { return plain(fd, "release"); }
  int setMode(int fd, ParportMode mode) override {
    return plain(fd, mode == ParportMode::Byte ? "mode byte" : "mode compat");
  }
  int setDataReverse(int fd, bool reverse) override {
    return plain(fd, reverse ? "direction reverse" : "direction forward", true);
  }
  int read(int fd, ParportRegister reg, std::uint8_t& value) override {
    std::lock_guard lock(mutex_);
    record(fd, "read " + Name(reg));
    if (registerError != 0) return registerError;
    value = reg == ParportRegister::Data ? data : reg == ParportRegister::Status ? status : control;
    return 0;
  }
  int write(int fd, ParportRegister reg, std::uint8_t value) override {
    std::lock_guard lock(mutex_);
    char text[32];
    std::snprintf(text, sizeof text, "write %s 0x%02X", Name(reg).c_str(), value);
    record(fd, text);
    if (registerError != 0) return registerError;
    if (reg == ParportRegister::Control) control = value;
    if (reg == ParportRegister::Data) data = value;
    return 0;
  }
  std::string groupName(const std::string&) override { return group; }
  std::int64_t nowMs() override { return now; }

 private:
  static std::string Name(ParportRegister reg) {
    return reg == ParportRegister::Data     ? "data"
           : reg == ParportRegister::Status ? "status"
                                            : "control";
  }
  // Calls on another device than the last opened one carry its name.
  void record(int fd, const std::string& call) {
    if (!open_.count(fd)) faults.push_back(call + " on a closed descriptor");
    calls.push_back(names_[fd] == "parport0" ? call : call + " " + names_[fd]);
  }
  int plain(int fd, const std::string& call, bool registerCall = false) {
    std::lock_guard lock(mutex_);
    record(fd, call);
    return registerCall ? registerError.load() : 0;
  }

  std::mutex mutex_;
  std::set<int> open_;
  std::map<int, std::string> names_;
  int nextFd_ = 3;
};

}  // namespace korvalinx::testing
