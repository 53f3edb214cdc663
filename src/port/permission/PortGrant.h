#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "port/permission/ProcessIdentity.h"

namespace korvalinx {

// An entry of the password database.
struct UserAccount {
  std::string name;
  uint32_t gid = 0;
  std::string home;
};

// What the Linux start-up needs of the system; the real one uses iopl, the
// credential calls and libcap, tests use a fake. Every step that can fail
// leaves its reason in errorText().
class PortGrant {
 public:
  virtual ~PortGrant() = default;

  // The ids the process runs with, and the kernel's secure-execution flag.
  virtual ProcessIdentity identity() const = 0;
  // The environment, as "NAME=value" entries.
  virtual std::vector<std::string> environment() const = 0;
  // Replaces the whole environment by `entries`. False when that failed.
  virtual bool replaceEnvironment(const std::vector<std::string>& entries) = 0;

  // Asks for access to every I/O port. False when refused.
  virtual bool grantPortAccess() = 0;
  // Tells the port backend that direct in/out instructions work.
  virtual void useDirectPortAccess() = 0;
  // True when the kernel lists a parport device, so that the device way can
  // work without direct access.
  virtual bool parportDeviceListed() = 0;

  // The password database's entry of `uid`; nothing when it has none.
  virtual std::optional<UserAccount> lookUpUser(uint32_t uid) = 0;
  // Sets the supplementary groups: those of `account` in the group database
  // plus `gid`, or only `gid` without an account.
  virtual bool setGroups(const std::optional<UserAccount>& account, uint32_t gid) = 0;
  // Sets the real, effective and saved group id to `gid`, and checks them.
  virtual bool setGroupIds(uint32_t gid) = 0;
  // Sets the real, effective and saved user id to `uid`, and checks them.
  virtual bool setUserIds(uint32_t uid) = 0;
  // Gives up every capability (effective, permitted, inheritable) and checks
  // that no thread of the process keeps any. False when that failed.
  virtual bool dropCapabilities() = 0;
  // Sets no-new-privileges: nothing the process starts can gain privileges
  // through set-user-id or file capabilities.
  virtual bool forbidNewPrivileges() = 0;

  // The reason of the last failure, in words.
  virtual std::string errorText() const = 0;
  // True when the last refused grant was a lack of privilege, which an
  // administrator can mend; false when the kernel offers no port access at
  // all.
  virtual bool lackedPrivilege() const = 0;
  // The running program's full path, empty when unknown.
  virtual std::string programPath() const = 0;
};

}  // namespace korvalinx
