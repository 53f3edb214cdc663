#include "files/EventFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <utility>

#include "core/AnalyzerState.h"
#include "files/EventImporter.h"
#include "files/FileDescriptor.h"
#include "files/RegularFile.h"

namespace korvalinx {
namespace {

// Large reads keep the import at the speed of the page cache; records that
// straddle two blocks are joined by the importer.
constexpr size_t kReadBlockSize = size_t{1} << 20;

}  // namespace

EventImportResult ImportEventFile(const std::string& path, uint8_t* samples) {
  EventImportResult outcome;
  FileDescriptor file;
  if (FileResult opened = OpenRegularFileForReading(path, file); !opened) {
    static_cast<FileResult&>(outcome) = std::move(opened);
    return outcome;
  }
  ::posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
  std::fill_n(samples, kCaptureBufferSize, uint8_t{0});
  outcome.samplesReplaced = true;

  const std::unique_ptr<uint8_t[]> block(new uint8_t[kReadBlockSize]);
  EventImporter importer(samples);
  for (;;) {
    size_t got = 0;
    const ssize_t result = ReadUpTo(file.get(), block.get(), kReadBlockSize, &got);
    const int error = errno;
    importer.feed(block.get(), got);
    if (result < 0) {
      static_cast<FileResult&>(outcome) = FileFailure("read", path, error);
      return outcome;
    }
    if (got < kReadBlockSize) return outcome;
  }
}

}  // namespace korvalinx
