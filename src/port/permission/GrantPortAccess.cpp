#include "port/permission/GrantPortAccess.h"

#include <string_view>

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

int GrantPortAccess(PortGrant& system, const MessageFn& show) {
  if (!system.grantPortAccess()) {
    if (system.lackedPrivilege()) {
      show("Korvalinx needs access to the parallel port, and the system refused it (" +
               system.errorText() + ").\n\nGive the program that right once, as root:\n\n    " +
               SetcapCommand(system.programPath()) + "\n\nor run Korvalinx as root.",
           kPermissionCaption);
    } else {
      show(
          "Korvalinx needs access to the parallel port, and this system does not give "
          "programs such access (" +
              system.errorText() +
              ").\n\nThe kernel must allow port access to programs (iopl); korvalinx-demo "
              "runs without it.",
          kPermissionCaption);
    }
    return 1;
  }
  if (!system.dropCapabilities()) {
    show(
        "Korvalinx could not give up its privileges after gaining access to the parallel "
        "port (" +
            system.errorText() + "), so it does not run.",
        kPermissionCaption);
    return 1;
  }
  return 0;
}

}  // namespace korvalinx
