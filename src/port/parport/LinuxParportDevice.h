#pragma once
// The kernel's parport device driver (ppdev) through its ioctls.

#include <chrono>

#include "port/parport/ParportDevice.h"

namespace korvalinx {

class LinuxParportDevice final : public ParportDevice {
 public:
  // How long a claim may wait for another driver to let the port go.
  explicit LinuxParportDevice(std::chrono::milliseconds claimWait = std::chrono::milliseconds(200))
      : claimWait_(claimWait) {}

  int open(const std::string& path) override;
  void close(int fd) override;
  int exclusive(int fd) override;
  int claim(int fd) override;
  int release(int fd) override;
  int setMode(int fd, ParportMode mode) override;
  int setDataReverse(int fd, bool reverse) override;
  int read(int fd, ParportRegister reg, std::uint8_t& value) override;
  int write(int fd, ParportRegister reg, std::uint8_t value) override;
  std::string groupName(const std::string& path) override;
  std::int64_t nowMs() override;

 private:
  std::chrono::milliseconds claimWait_;
};

}  // namespace korvalinx
