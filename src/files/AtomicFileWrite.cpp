#include "files/AtomicFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>

#include "files/FileDescriptor.h"

namespace korvalinx {
namespace {

// The file that a write to `path` really replaces: the target of a symbolic
// link, so that the link itself survives as it would with a plain write.
std::string ResolveTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      std::string resolved(real);
      std::free(real);
      return resolved;
    }
  }
  return path;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Creates a fresh file next to `target` whose name no one else uses. The mode
// 0666 lets the umask decide, as for any newly created file.
FileDescriptor CreateTemporaryNextTo(const std::string& target, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  const size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  // Kept short so that a long file name still leaves room for the suffix.
  const std::string base =
      (slash == std::string::npos ? target : target.substr(slash + 1)).substr(0, 100);
  for (int attempt = 0; attempt < 100; ++attempt) {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    tempPath = folder + "." + base + "." + std::to_string(::getpid()) + "." +
               std::to_string(counter++) + "." + std::to_string(now.tv_nsec) + ".tmp";
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return FileDescriptor(fd);
    if (errno != EEXIST) return FileDescriptor();
  }
  errno = EEXIST;
  return FileDescriptor();
}

// Makes the rename itself durable. A folder that cannot be synced still holds
// the complete new file, so this is done on a best-effort basis.
void SyncFolder(const std::string& folder) {
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
}

}  // namespace

FileResult WriteFileAtomically(const std::string& path, const void* data, size_t size) {
  const std::string target = ResolveTarget(path);
  std::string tempPath;
  FileDescriptor temp = CreateTemporaryNextTo(target, tempPath);
  if (!temp.valid()) return FileFailure("write", path, errno);

  struct stat existing;
  if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    ::fchmod(temp.get(), existing.st_mode & 07777);
  }

  int error = 0;
  if (!WriteAll(temp.get(), data, size)) {
    error = errno;
  } else if (::fsync(temp.get()) != 0) {
    error = errno;
  }
  const int closeError = temp.close();
  if (error == 0) error = closeError;
  if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(tempPath.c_str());
    return FileFailure("write", path, error);
  }
  SyncFolder(FolderOf(target));
  return {};
}

}  // namespace korvalinx
