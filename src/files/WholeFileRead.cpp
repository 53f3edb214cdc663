#include "files/WholeFileRead.h"

#include <fcntl.h>

#include <cerrno>

#include "files/FileDescriptor.h"
#include "files/RegularFile.h"

namespace korvalinx {

FileResult ReadWholeFile(const std::string& path, std::string& contents) {
  contents.clear();
  FileDescriptor file;
  if (FileResult opened = OpenRegularFileForReading(path, file); !opened) return opened;
  constexpr size_t kChunk = 64 * 1024;
  for (;;) {
    const size_t old = contents.size();
    contents.resize(old + kChunk);
    size_t got = 0;
    if (ReadUpTo(file.get(), contents.data() + old, kChunk, &got) < 0) {
      const int error = errno;
      contents.clear();
      return FileFailure("read", path, error);
    }
    contents.resize(old + got);
    if (got < kChunk) return {};
  }
}

}  // namespace korvalinx
