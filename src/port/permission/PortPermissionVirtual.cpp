// The demo's virtual port lives in the process itself: there is nothing to
// obtain and nothing to give back.

#include "port/permission/PortPermission.h"

namespace korvalinx {

int EnablePortAccess(const MessageFn&) {
  return 0;
}

bool IsWinNT() {
  return false;
}

void ShutdownDriver() {}

}  // namespace korvalinx
