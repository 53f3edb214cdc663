#pragma once
// Importing a Tallymark event file (*.evt) into the capture buffer.

#include <cstdint>
#include <string>

#include "files/FileResult.h"

namespace korvalinx {

struct EventImportResult : FileResult {
  // The file was opened, so all samples were cleared and then rebuilt.
  bool samplesReplaced = false;
};

// Reads the whole file through an EventImporter into `samples` (1,048,576 of
// them), which it clears first once the file is open. A file that cannot be
// opened changes nothing. A read error ends the import as the end of the
// file would: the samples built from the records read until then stay, and
// the failure is returned.
EventImportResult ImportEventFile(const std::string& path, uint8_t* samples);

}  // namespace korvalinx
