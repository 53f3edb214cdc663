// The demo's virtual port lives in the process itself: there is nothing to
// obtain and nothing to give back.

#include "port/permission/PortPermission.h"

namespace korvalinx {

int EnablePortAccess(const MessageFn&) {
  return 0;
}

bool StartedPrivileged() {
  return false;
}

std::string PortAccessInUse() {
  return "virtual port (demo)";
}

void RoutePortNotices(const MessageFn&) {}

bool IsWinNT() {
  return false;
}

void ShutdownDriver() {}

}  // namespace korvalinx
