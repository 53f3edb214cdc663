#include "port/permission/GrantPortAccess.h"

#include <optional>
#include <string_view>
#include <vector>

#include "port/permission/ProcessIdentity.h"
#include "port/permission/SafeEnvironment.h"

namespace korvalinx {

namespace {

bool needsQuoting(std::string_view path) {
  if (path.empty()) return true;
  for (char c : path) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '/' || c == '.' || c == '_' || c == '-' || c == '+' || c == ',' ||
                       c == ':' || c == '@' || c == '%';
    if (!plain) return true;
  }
  return false;
}

std::string shellQuoted(std::string_view path) {
  if (!needsQuoting(path)) return std::string(path);
  std::string quoted = "'";
  for (char c : path) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

}  // namespace

std::string SetcapCommand(const std::string& programPath) {
  // Without a known path, name the program so the command is still readable.
  return "setcap cap_sys_rawio+ep " +
         (programPath.empty() ? std::string("/path/to/korvalinx") : shellQuoted(programPath));
}

namespace {

std::string refusalText(const PortGrant& system) {
  const std::string device =
      "Korvalinx found no parallel port that it may use.\n\n"
      "The kernel's parport device lets the members of its group use a port "
      "without any special rights. Load its driver and join the group:\n\n"
      "    sudo modprobe ppdev    (and parport_pc for a port of the PC itself)\n"
      "    sudo adduser $USER lp    (then log in again)\n\n";
  if (system.lackedPrivilege()) {
    return device +
           "For the highest sample rate an administrator can instead give this program "
           "direct access to every I/O port:\n\n    " +
           SetcapCommand(system.programPath()) +
           "\n\n(Direct access was refused: " + system.errorText() + ".)";
  }
  return device + "This kernel gives programs no direct port access (" + system.errorText() +
         "). korvalinx-demo runs without a port.";
}

// A privileged step failed: nothing more may run, the toolkit least of all.
int endAtOnce(const PortGrant& system, const MessageFn& show) {
  show("Korvalinx could not give up its privileges (" + system.errorText() +
           "), so it does not run.",
       kPermissionCaption);
  return kPortAccessEndAtOnce;
}

}  // namespace

int GrantPortAccess(PortGrant& system, const MessageFn& show) {
  const ProcessIdentity identity = system.identity();
  const bool privileged = RunsPrivileged(identity);

  std::optional<InvokingUser> user;
  std::optional<UserAccount> account;
  if (privileged) {
    const std::vector<std::string> environment = system.environment();
    user = FindInvokingUser(identity, environment);
    std::optional<UserEnvironment> userEnvironment;
    if (user && user->fromRoot) {
      account = system.lookUpUser(user->uid);
      if (!user->gid) {
        if (!account) {
          show("Korvalinx could not give up its privileges (the user " + std::to_string(user->uid) +
                   " who started it is not in the password database), so it does not run.",
               kPermissionCaption);
          return kPortAccessEndAtOnce;
        }
        user->gid = account->gid;
      }
      userEnvironment = account ? UserEnvironment{account->home, account->name}
                                : UserEnvironment{"", user->nameHint};
    }
    if (!system.replaceEnvironment(SafeEnvironment(environment, userEnvironment))) {
      return endAtOnce(system, show);
    }
  }

  std::optional<std::string> refusal;
  if (system.grantPortAccess()) {
    system.useDirectPortAccess();
  } else if (!system.parportDeviceListed()) {
    refusal = refusalText(system);
  }

  if (privileged) {
    if (user) {
      if (user->fromRoot && !system.setGroups(account, *user->gid)) return endAtOnce(system, show);
      if (!system.setGroupIds(*user->gid)) return endAtOnce(system, show);
      if (!system.setUserIds(user->uid)) return endAtOnce(system, show);
    }
    if (!system.dropCapabilities()) return endAtOnce(system, show);
    if (!system.forbidNewPrivileges()) return endAtOnce(system, show);
  }

  if (refusal) {
    show(*refusal, kPermissionCaption);
    return kPortAccessRefused;
  }
  return kPortAccessGranted;
}

}  // namespace korvalinx
