// The marker is a Unix socket bound to a name in the abstract namespace: at
// most one socket can hold a name, and the kernel frees the name when the last
// descriptor of the socket is closed, which at the latest is the process's end.
// The descriptor is close-on-exec, so programs started from here (an editor
// showing the help) do not keep the name taken after this process has ended.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/os/InstanceMarker.h"

namespace korvalinx {

namespace {

constexpr char kPrefix[] = "korvalinx-instance-";

// The abstract address: a zero byte, then the prefix and the name. A name too
// long for the address keeps its head and gets a hash of the whole name, so
// that different long names still give different addresses.
std::string abstractAddress(const std::string& name) {
  constexpr std::size_t kRoom = sizeof(sockaddr_un::sun_path) - 1 - (sizeof(kPrefix) - 1);
  std::string address(1, '\0');
  address += kPrefix;
  if (name.size() <= kRoom) return address + name;
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : name) {
    hash = (hash ^ c) * 1099511628211ull;
  }
  char hex[18];
  std::snprintf(hex, sizeof hex, "-%016llx", static_cast<unsigned long long>(hash));
  return address + name.substr(0, kRoom - (sizeof hex - 1)) + hex;
}

}  // namespace

bool AcquireInstanceMarker(const std::string& name) {
  // An empty name names nothing: like an unnamed mutex, it guards nothing.
  if (name.empty()) return true;

  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return true;

  const std::string address = abstractAddress(name);
  sockaddr_un socketAddress{};
  socketAddress.sun_family = AF_UNIX;
  std::memcpy(socketAddress.sun_path, address.data(), address.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + address.size());

  if (bind(fd, reinterpret_cast<const sockaddr*>(&socketAddress), length) == 0) {
    return true;  // the descriptor stays open until the process ends
  }
  const bool taken = errno == EADDRINUSE;
  close(fd);
  return !taken;
}

}  // namespace korvalinx
