#include "acquire/SystemVersion.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace korvalinx {

#ifdef _WIN32
bool IsWin9x() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);  // 148 bytes
  if (!GetVersionExA(&info)) return false;
  return info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}
#else
bool IsWin9x() {
  return false;
}
#endif

}  // namespace korvalinx
