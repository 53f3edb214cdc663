#include <filesystem>
#include <system_error>

#include "platform/os/ProgramPath.h"

namespace korvalinx {

std::string ProgramPath() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

}  // namespace korvalinx
