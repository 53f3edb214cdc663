#include "port/permission/ddkint/DriverPermission.h"

#include <utility>

namespace korvalinx {

int DriverPermission::EnablePortAccess(MessageFn show) {
  // Set first, so that a failed version query is shown the same way.
  unit_.setMessageFn(std::move(show));
  if (!unit_.IsWinNT()) return 0;
  return unit_.EnablePortAccess();
}

}  // namespace korvalinx
