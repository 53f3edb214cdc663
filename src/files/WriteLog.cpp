#include "files/WriteLog.h"

#include <fcntl.h>

#include "files/FileDescriptor.h"

namespace korvalinx {

void WriteLog(std::string_view message) noexcept {
  FileDescriptor log(::open(kLogFileName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!log.valid()) return;
  WriteAll(log.get(), message.data(), message.size());
}

}  // namespace korvalinx
