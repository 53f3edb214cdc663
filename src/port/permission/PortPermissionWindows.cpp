// Windows: port permission comes from the zlportio driver service on the NT
// family. The unit and its device handle live for the whole process.

#include "port/permission/PortPermission.h"
#include "port/permission/ddkint/DriverPermission.h"
#include "port/permission/ddkint/Win32ServiceControl.h"

namespace korvalinx {

namespace {

DriverPermission& driver() {
  static Win32ServiceControl services;
  static DriverPermission permission(services);
  return permission;
}

}  // namespace

int EnablePortAccess(const MessageFn& show) {
  return driver().EnablePortAccess(show);
}

bool StartedPrivileged() {
  return false;
}

std::string PortAccessInUse() {
  return "zlportio driver";
}

void RoutePortNotices(const MessageFn&) {}

bool IsWinNT() {
  return driver().IsWinNT();
}

void ShutdownDriver() {
  driver().ShutdownDriver();
}

}  // namespace korvalinx
