#pragma once
// The folder and the name of a POSIX path, as the file writers need them:
// "capture.kvx" lies in ".", "/capture.kvx" in "/".

#include <string>

namespace korvalinx {

inline std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

inline std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace korvalinx
