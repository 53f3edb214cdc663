#pragma once
// A POSIX file descriptor that closes itself, and the read and write loops
// that survive short transfers and interrupted calls.

#include <sys/types.h>

#include <cstddef>

namespace korvalinx {

class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { reset(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = other.release();
    }
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes the descriptor; returns the errno of a failed close, else 0.
  int close();
  void reset() { close(); }

 private:
  int fd_ = -1;
};

// Reads until `size` bytes are in or the file ends. Returns the number of
// bytes read, or -1 with errno set when a read fails (bytes read before the
// failure are in `data`; `done` then says how many).
ssize_t ReadUpTo(int fd, void* data, size_t size, size_t* done = nullptr);

// Writes all `size` bytes. Returns false with errno set on failure.
bool WriteAll(int fd, const void* data, size_t size);

}  // namespace korvalinx
