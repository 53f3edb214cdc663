// The real parallel port on Linux: access to every port for the calling
// thread, then no privileges at all. There is no driver to shut down.

#include "port/permission/GrantPortAccess.h"
#include "port/permission/LinuxPortGrant.h"
#include "port/permission/PortPermission.h"

namespace korvalinx {

int EnablePortAccess(const MessageFn& show) {
  LinuxPortGrant system;
  return GrantPortAccess(system, show);
}

bool IsWinNT() {
  return false;
}

void ShutdownDriver() {}

}  // namespace korvalinx
