#include "files/SettingsPath.h"

namespace korvalinx {
namespace {

void LowerAscii(std::string& s, size_t from) {
  for (size_t i = from; i < s.size(); ++i) {
    if (s[i] >= 'A' && s[i] <= 'Z') s[i] = static_cast<char>(s[i] - 'A' + 'a');
  }
}

bool IsWindowsForm(const std::string& path) {
  const bool driveLetter =
      path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return driveLetter || path.find('\\') != std::string::npos;
}

}  // namespace

std::string SettingsPathFor(const std::string& programPath) {
  std::string path = programPath;
  const bool windows = IsWindowsForm(path);
  const size_t separator = path.find_last_of(windows ? "\\/:" : "/");
  const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  LowerAscii(path, windows ? 0 : nameStart);

  const size_t nameLength = path.size() - nameStart;
  const bool threeLetterExtension = nameLength >= 4 && path[path.size() - 4] == '.' &&
                                    path.find('.', path.size() - 3) == std::string::npos;
  if (threeLetterExtension) {
    path.replace(path.size() - 3, 3, "ini");
  } else {
    path += ".ini";
  }
  return path;
}

}  // namespace korvalinx
