#pragma once
// Importing a Tallymark event file (*.evt) into the capture buffer.

#include <cstdint>
#include <string>

#include "files/FileResult.h"

namespace korvalinx {

// Reads the whole file through an EventImporter into `samples`, which the
// caller has cleared. A file that cannot be opened writes nothing. A read
// error ends the import as the end of the file would: the samples built
// from the records read until then stay, and the failure is returned.
FileResult ImportEventFile(const std::string& path, uint8_t* samples);

}  // namespace korvalinx
