#include <windows.h>

#include "platform/os/InstanceMarker.h"

namespace korvalinx {

bool AcquireInstanceMarker(const std::string& name) {
  // Only "already exists" read right after the creation stops the start; the
  // creation's own result is not examined, and the handle is never closed.
  // Clearing the last error first keeps an older 183 from being read here.
  SetLastError(ERROR_SUCCESS);
  CreateMutexA(nullptr, FALSE, name.c_str());
  return GetLastError() != ERROR_ALREADY_EXISTS;
}

}  // namespace korvalinx
