#pragma once

#include <string>

namespace korvalinx {

// What the Linux grant needs of the system; the real one uses iopl and libcap,
// tests use a fake.
class PortGrant {
 public:
  virtual ~PortGrant() = default;

  // Asks for access to every I/O port. False when refused.
  virtual bool grantPortAccess() = 0;
  // Gives up every capability (effective, permitted, inheritable) so that the
  // process runs unprivileged from here on. False when that failed.
  virtual bool dropCapabilities() = 0;
  // The reason of the last failure, in words.
  virtual std::string errorText() const = 0;
  // True when the last failure was a lack of privilege, which the user can
  // mend; false when the system offers no port access at all.
  virtual bool lackedPrivilege() const = 0;
  // The running program's full path, empty when unknown.
  virtual std::string programPath() const = 0;
};

}  // namespace korvalinx
