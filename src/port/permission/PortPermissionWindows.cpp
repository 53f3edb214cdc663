// Windows: port permission comes from the zlportio driver service. The unit
// and its device handle live for the whole process.

#include "port/permission/PortPermission.h"
#include "port/permission/ddkint/Ddkint.h"
#include "port/permission/ddkint/Win32ServiceControl.h"

namespace korvalinx {

namespace {

Win32ServiceControl& systemServices() {
  static Win32ServiceControl services;
  return services;
}

Ddkint& driverUnit() {
  static Ddkint unit(systemServices());
  return unit;
}

}  // namespace

int EnablePortAccess(const MessageFn& show) {
  // From here on every message of the unit, also those of the close
  // sequence, goes through the application's message box.
  systemServices().setMessageFn(show);
  return driverUnit().EnablePortAccess();
}

bool StartedPrivileged() {
  return false;
}

std::string PortAccessInUse() {
  return "zlportio driver";
}

void RoutePortNotices(const MessageFn&) {}

bool IsWinNT() {
  return driverUnit().IsWinNT();
}

void ShutdownDriver() {
  driverUnit().ShutdownDriver();
}

}  // namespace korvalinx
