#pragma once
// The environment a privileged start keeps: what a desktop program needs to
// show its window, and nothing that can make the toolkit or the C library load
// code or data from a place the caller chose (plugin and library paths,
// styles, themes, input methods, loader and converter paths, font and data
// folders).

#include <optional>
#include <string>
#include <vector>

namespace korvalinx {

// The search path a privileged start uses, in place of the caller's.
inline constexpr char kSafePath[] = "/usr/local/bin:/usr/bin:/bin";

// HOME, USER and LOGNAME of the user the process goes on as, when they are to
// replace the caller's (root started through sudo or pkexec). An empty home
// removes HOME.
struct UserEnvironment {
  std::string home;
  std::string name;
};

// The entries ("NAME=value") of `environment` that a privileged start keeps:
// DISPLAY, WAYLAND_DISPLAY, XAUTHORITY, XDG_RUNTIME_DIR, LANG, LANGUAGE, LC_*,
// TZ, HOME, USER and LOGNAME, then PATH=kSafePath. A locale value that names a
// path (holds a '/') is dropped. The first entry of a name wins, as getenv
// reads it. With `user`, its HOME, USER and LOGNAME replace the caller's.
std::vector<std::string> SafeEnvironment(const std::vector<std::string>& environment,
                                         const std::optional<UserEnvironment>& user);

}  // namespace korvalinx
