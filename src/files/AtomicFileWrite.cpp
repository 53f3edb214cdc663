#include "files/AtomicFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "files/FileDescriptor.h"
#include "files/PathParts.h"

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

// Creates a fresh file next to `target` whose name no one else uses, with
// the permission bits `mode` (before the umask).
FileDescriptor CreateTemporaryNextTo(const std::string& target, mode_t mode,
                                     std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  const size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  // Kept short so that a long file name still leaves room for the suffix.
  const std::string base = NameOf(target).substr(0, 100);
  for (int attempt = 0; attempt < 100; ++attempt) {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    tempPath = folder + "." + base + "." + std::to_string(::getpid()) + "." +
               std::to_string(counter++) + "." + std::to_string(now.tv_nsec) + ".tmp";
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
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

// Gives the temporary file the owner, group and permission bits of the file
// it replaces. False when the owner or the group cannot be reproduced (an
// ordinary user may hand a file only to a group of their own, never to
// another user): the file must then be written in place.
bool TakeOverIdentity(int fd, const struct stat& old) {
  struct stat now;
  if (::fstat(fd, &now) != 0) return false;
  if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    // The owner is given only when it differs, so that an ordinary user can
    // still set the group of a file of their own.
    const uid_t owner = now.st_uid != old.st_uid ? old.st_uid : static_cast<uid_t>(-1);
    if (::fchown(fd, owner, old.st_gid) != 0) return false;
  }
  // After the owner: a change of owner clears the set-user-ID bits.
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// Folders that refuse a new file here, while the existing file may still be
// writable itself.
bool RefusesNewFiles(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

// Writes the whole content, flushes it to disk and closes the file: the
// first error of the three, or 0.
int WriteSyncAndClose(FileDescriptor& file, const void* data, size_t size) {
  int error = 0;
  if (!WriteAll(file.get(), data, size)) {
    error = errno;
  } else if (::fsync(file.get()) != 0) {
    error = errno;
  }
  const int closeError = file.close();
  return error != 0 ? error : closeError;
}

// Cuts the existing file to length 0 and writes the new content into it:
// its inode, and with it every name, the owner and the permissions, stay.
FileResult WriteInPlace(const std::string& path, const std::string& target, const void* data,
                        size_t size) {
  FileDescriptor file(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW));
  if (!file.valid()) return FileFailure("write", path, errno);
  if (const int error = WriteSyncAndClose(file, data, size)) {
    return FileFailure("write", path, error);
  }
  return {};
}

}  // namespace

FileResult WriteFileAtomically(const std::string& path, const void* data, size_t size) {
  const std::string target = ResolveTarget(path);

  std::optional<struct stat> old;
  struct stat st;
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) old = st;

  if (old) {
    // A file the user may not write is not replaced behind its back.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
      return FileFailure("write", path, errno);
    }
    // A rename would leave the other names of the file on the old content.
    if (old->st_nlink > 1) return WriteInPlace(path, target, data, size);
  }

  std::string tempPath;
  // The replacement of an existing file is private until it has the old
  // file's permissions; a new file gets the umask's permissions as usual.
  FileDescriptor temp = CreateTemporaryNextTo(target, old ? 0600 : 0666, tempPath);
  if (!temp.valid()) {
    const int error = errno;
    if (old && RefusesNewFiles(error)) return WriteInPlace(path, target, data, size);
    return FileFailure("write", path, error);
  }
  if (old && !TakeOverIdentity(temp.get(), *old)) {
    temp.reset();
    ::unlink(tempPath.c_str());
    return WriteInPlace(path, target, data, size);
  }

  int error = WriteSyncAndClose(temp, data, size);
  if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(tempPath.c_str());
    // A folder with the sticky bit lets a user add files but not replace
    // another user's file: that one is written in place.
    if (old && RefusesNewFiles(error)) return WriteInPlace(path, target, data, size);
    return FileFailure("write", path, error);
  }
  SyncFolder(FolderOf(target));
  return {};
}

}  // namespace korvalinx
