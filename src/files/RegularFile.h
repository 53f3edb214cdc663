#pragma once
// Opening a file that is read to its end in one go. Only a regular file
// qualifies: a FIFO would block the window at the open and a device such
// as /dev/zero would never end, so both are refused with a message.

#include <string>

#include "files/FileDescriptor.h"
#include "files/FileResult.h"

namespace korvalinx {

FileResult OpenRegularFileForReading(const std::string& path, FileDescriptor& file);

}  // namespace korvalinx
