#pragma once
// Capture files (*.kvx): a raw dump of the capture buffer, one byte per
// sample, 1,048,576 bytes, no header.

#include <cstdint>
#include <string>

#include "files/FileResult.h"

namespace korvalinx {

// Writes all 1,048,576 samples. The file is replaced only once the whole
// buffer is written and on disk, so a failed save leaves an existing file as
// it was; a file with several names, or one in a folder the user may not
// write, is written in place instead (see AtomicFileWrite.h).
FileResult SaveCaptureFile(const std::string& path, const uint8_t* samples);

// Reads up to 1,048,576 bytes into `samples` from sample 0. A shorter file
// fills only its length; the rest of the buffer keeps its content. A file that
// cannot be opened changes nothing.
FileResult LoadCaptureFile(const std::string& path, uint8_t* samples);

}  // namespace korvalinx
