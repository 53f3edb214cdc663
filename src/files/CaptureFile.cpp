#include "files/CaptureFile.h"

#include <fcntl.h>

#include <cerrno>

#include "core/AnalyzerState.h"
#include "files/AtomicFileWrite.h"
#include "files/FileDescriptor.h"
#include "files/RegularFile.h"

namespace korvalinx {

FileResult SaveCaptureFile(const std::string& path, const uint8_t* samples) {
  return WriteFileAtomically(path, samples, kCaptureBufferSize);
}

FileResult LoadCaptureFile(const std::string& path, uint8_t* samples) {
  FileDescriptor file;
  if (FileResult opened = OpenRegularFileForReading(path, file); !opened) return opened;
  // Whatever arrived before a read error stays in the buffer, as it would
  // from a shorter file.
  if (ReadUpTo(file.get(), samples, kCaptureBufferSize) < 0) {
    return FileFailure("read", path, errno);
  }
  return {};
}

}  // namespace korvalinx
