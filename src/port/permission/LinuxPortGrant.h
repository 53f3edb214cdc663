#pragma once

#include <string>

#include "port/permission/PortGrant.h"

namespace korvalinx {

// The real grant on Linux/x86: iopl(3) opens all 65536 ports to the calling
// thread (ioperm would stop at 0x3FF, and the extended control register lies
// at base + 0x402), then libcap clears the thread's capability sets, and every
// thread of the process is checked to hold none.
class LinuxPortGrant final : public PortGrant {
 public:
  bool grantPortAccess() override;
  bool dropCapabilities() override;
  std::string errorText() const override { return error_; }
  bool lackedPrivilege() const override { return lackedPrivilege_; }
  std::string programPath() const override;

 private:
  std::string error_;
  bool lackedPrivilege_ = false;
};

}  // namespace korvalinx
