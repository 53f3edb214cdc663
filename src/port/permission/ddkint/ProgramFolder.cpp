#include "port/permission/ddkint/ProgramFolder.h"

namespace korvalinx {

std::string ProgramFolderOf(std::string_view programPath) {
  const std::size_t last = programPath.find_last_of("\\:");
  if (last == std::string_view::npos) return std::string();
  std::size_t length = last + 1;
  if (programPath[last] == '\\' && last > 0 && programPath[last - 1] != '\\' &&
      programPath[last - 1] != ':') {
    --length;
  }
  return std::string(programPath.substr(0, length));
}

}  // namespace korvalinx
