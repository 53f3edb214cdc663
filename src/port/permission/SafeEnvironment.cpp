#include "port/permission/SafeEnvironment.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace korvalinx {

namespace {

constexpr std::array<std::string_view, 10> kKept = {
    "DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "XDG_RUNTIME_DIR", "LANG", "LANGUAGE", "TZ", "HOME",
    "USER",    "LOGNAME"};

constexpr std::array<std::string_view, 3> kUserNames = {"HOME", "USER", "LOGNAME"};

bool isLocaleName(std::string_view name) {
  return name == "LANG" || name == "LANGUAGE" || name.starts_with("LC_");
}

bool kept(std::string_view name) {
  if (name.starts_with("LC_")) {
    // Only the C library's own categories; the names are letters and '_'.
    return name.size() > 3 && std::all_of(name.begin() + 3, name.end(), [](char c) {
             return (c >= 'A' && c <= 'Z') || c == '_';
           });
  }
  return std::find(kKept.begin(), kKept.end(), name) != kKept.end();
}

}  // namespace

std::vector<std::string> SafeEnvironment(const std::vector<std::string>& environment,
                                         const std::optional<UserEnvironment>& user) {
  std::vector<std::string> result;
  std::vector<std::string_view> seen;
  for (const std::string& entry : environment) {
    const std::size_t equals = entry.find('=');
    if (equals == std::string::npos || equals == 0) continue;
    const std::string_view name(entry.data(), equals);
    const std::string_view value(entry.data() + equals + 1, entry.size() - equals - 1);
    if (!kept(name)) continue;
    if (std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
    seen.push_back(name);
    if (user && std::find(kUserNames.begin(), kUserNames.end(), name) != kUserNames.end()) {
      continue;
    }
    if (isLocaleName(name) && value.find('/') != std::string_view::npos) continue;
    result.push_back(entry);
  }
  if (user) {
    if (!user->home.empty()) result.push_back("HOME=" + user->home);
    if (!user->name.empty()) {
      result.push_back("USER=" + user->name);
      result.push_back("LOGNAME=" + user->name);
    }
  }
  result.push_back(std::string("PATH=") + kSafePath);
  return result;
}

}  // namespace korvalinx
