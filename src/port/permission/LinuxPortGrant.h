#pragma once

#include <string>

#include "port/permission/PortGrant.h"

namespace korvalinx {

// The real system on Linux/x86: iopl(3) opens all 65536 ports to the calling
// thread (ioperm would stop at 0x3FF, and the extended control register lies
// at base + 0x402); the credential calls change the ids and groups, each
// checked afterwards; libcap clears the thread's capability sets, and every
// thread of the process is checked to hold none.
class LinuxPortGrant final : public PortGrant {
 public:
  ProcessIdentity identity() const override;
  std::vector<std::string> environment() const override;
  bool replaceEnvironment(const std::vector<std::string>& entries) override;
  bool grantPortAccess() override;
  void useDirectPortAccess() override;
  bool parportDeviceListed() override;
  std::optional<UserAccount> lookUpUser(uint32_t uid) override;
  bool setGroups(const std::optional<UserAccount>& account, uint32_t gid) override;
  bool setGroupIds(uint32_t gid) override;
  bool setUserIds(uint32_t uid) override;
  bool dropCapabilities() override;
  bool forbidNewPrivileges() override;
  std::string errorText() const override { return error_; }
  bool lackedPrivilege() const override { return lackedPrivilege_; }
  std::string programPath() const override;

 private:
  bool fail(const std::string& step, int error);

  std::string error_;
  bool lackedPrivilege_ = false;
};

}  // namespace korvalinx
