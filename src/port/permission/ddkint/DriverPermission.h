#pragma once
// What the process asks of the driver unit on Windows: port access before the
// window exists, asked for on the NT family only (the 9x family reaches the
// ports without a driver); the NT question and the driver's shutdown in the
// close sequence. Every message of the unit from the start on, those of the
// close sequence included, goes to the message function given at the start.

#include "port/permission/PortPermission.h"
#include "port/permission/ddkint/Ddkint.h"

namespace korvalinx {

class DriverPermission {
 public:
  explicit DriverPermission(ServiceControl& system) : unit_(system) {}

  // 0 when the ports may be used: at once on the 9x family, on the NT family
  // when the driver granted access.
  int EnablePortAccess(MessageFn show);
  bool IsWinNT() { return unit_.IsWinNT(); }
  void ShutdownDriver() { unit_.ShutdownDriver(); }

  Ddkint& unit() { return unit_; }

 private:
  Ddkint unit_;
};

}  // namespace korvalinx
