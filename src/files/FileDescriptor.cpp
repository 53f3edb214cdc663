#include "files/FileDescriptor.h"

#include <unistd.h>

#include <cerrno>

namespace korvalinx {

int FileDescriptor::close() {
  if (fd_ < 0) return 0;
  // The descriptor is gone after close() even when it reports EINTR, so it is
  // never closed twice.
  const int result = ::close(fd_);
  fd_ = -1;
  return result == 0 || errno == EINTR ? 0 : errno;
}

ssize_t ReadUpTo(int fd, void* data, size_t size, size_t* done) {
  auto* bytes = static_cast<unsigned char*>(data);
  size_t total = 0;
  while (total < size) {
    const ssize_t n = ::read(fd, bytes + total, size - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (done) *done = total;
      return -1;
    }
    if (n == 0) break;
    total += static_cast<size_t>(n);
  }
  if (done) *done = total;
  return static_cast<ssize_t>(total);
}

bool WriteAll(int fd, const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, bytes, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace korvalinx
