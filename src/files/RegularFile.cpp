#include "files/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace korvalinx {

FileResult OpenRegularFileForReading(const std::string& path, FileDescriptor& file) {
  // Non-blocking, so that opening a FIFO without a writer returns at once.
  file = FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!file.valid()) return FileFailure("open", path, errno);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) {
    const int error = errno;
    file.reset();
    return FileFailure("open", path, error);
  }
  if (S_ISDIR(info.st_mode)) {
    file.reset();
    return FileFailure("read", path, EISDIR);  // what reading it would say
  }
  if (!S_ISREG(info.st_mode)) {
    file.reset();
    return FileFailure("open", path, EINVAL, "not a regular file");
  }
  ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
  return {};
}

}  // namespace korvalinx
