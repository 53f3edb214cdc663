#include <windows.h>

#include "platform/os/ProgramPath.h"

namespace korvalinx {

std::string ProgramPath() {
  // The module file name is cut off silently when the buffer is too small, so
  // grow the buffer until the whole path fits.
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(path.size());
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
    if (length == 0) return std::string();
    if (length < size) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return std::string();
    path.resize(path.size() * 2);
  }
}

}  // namespace korvalinx
