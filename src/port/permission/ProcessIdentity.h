#pragma once
// Who the process is when it starts, and whom it goes on as once it holds
// port access. Plain decisions over plain values: the system calls that read
// and change the identity live behind PortGrant.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvalinx {

struct ProcessIdentity {
  bool secureExecution = false;  // the kernel's AT_SECURE flag
  uint32_t realUid = 0;
  uint32_t effectiveUid = 0;
  uint32_t realGid = 0;
  uint32_t effectiveGid = 0;
  // Any permitted capability, also one handed down as an ambient capability,
  // which the kernel does not count as secure execution.
  bool holdsCapabilities = false;
};

// True when the process holds more than its user could give it: the kernel
// started it in secure-execution mode (set-user-id, set-group-id, file
// capabilities), its real and effective ids differ, it runs as root, or it
// holds a capability.
bool RunsPrivileged(const ProcessIdentity& identity);

// The user the process goes on as after taking port access.
struct InvokingUser {
  uint32_t uid = 0;
  // Sudo records the group; for pkexec it comes from the password database.
  std::optional<uint32_t> gid;
  // True when the process runs as root for another user (sudo, pkexec): it
  // takes that user's supplementary groups and home. A set-user-id or
  // file-capable copy already runs with the caller's groups and environment.
  bool fromRoot = false;
  // SUDO_USER, for USER and LOGNAME when the password database does not know
  // the uid.
  std::string nameHint;
};

// Whom a privileged process goes on as: the real user when the real uid is not
// root; for root, the user recorded by sudo (SUDO_UID, SUDO_GID, SUDO_USER) or
// pkexec (PKEXEC_UID). Those variables are trusted only when the real uid is
// root, since whoever starts a set-user-id copy chooses its environment.
// Nothing for root started by root: it stays root.
std::optional<InvokingUser> FindInvokingUser(const ProcessIdentity& identity,
                                             const std::vector<std::string>& environment);

}  // namespace korvalinx
