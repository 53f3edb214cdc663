// The real parallel port on Linux: direct access to every port when the
// program was given the right, the kernel's parport device otherwise, and no
// privilege kept either way. There is no driver to shut down.

#include "port/backends/HardwareAccess.h"
#include "port/permission/GrantPortAccess.h"
#include "port/permission/LinuxPortGrant.h"
#include "port/permission/PortPermission.h"

namespace korvalinx {

namespace {

bool startedPrivileged = false;

}  // namespace

int EnablePortAccess(const MessageFn& show) {
  LinuxPortGrant system;
  startedPrivileged = RunsPrivileged(system.identity());
  return GrantPortAccess(system, show);
}

bool StartedPrivileged() {
  return startedPrivileged;
}

std::string PortAccessInUse() {
  return PortAccessDescription();
}

void RoutePortNotices(const MessageFn& notice) {
  SetPortNoticeFn(notice);
}

bool IsWinNT() {
  return false;
}

void ShutdownDriver() {}

}  // namespace korvalinx
