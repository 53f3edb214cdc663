#include "files/EventFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "files/EventImporter.h"
#include "files/FileDescriptor.h"
#include "files/RegularFile.h"

namespace korvalinx {
namespace {

// Large reads keep the import at the speed of the page cache; records that
// straddle two blocks are joined by the importer.
constexpr size_t kReadBlockSize = size_t{1} << 20;

}  // namespace

FileResult ImportEventFile(const std::string& path, uint8_t* samples) {
  FileDescriptor file;
  if (FileResult opened = OpenRegularFileForReading(path, file); !opened) return opened;
  ::posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

  const std::unique_ptr<uint8_t[]> block(new uint8_t[kReadBlockSize]);
  EventImporter importer(samples);
  for (;;) {
    size_t got = 0;
    const ssize_t result = ReadUpTo(file.get(), block.get(), kReadBlockSize, &got);
    const int error = errno;
    importer.feed(block.get(), got);
    if (result < 0) return FileFailure("read", path, error);
    if (got < kReadBlockSize) return {};
  }
}

}  // namespace korvalinx
