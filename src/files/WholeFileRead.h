#pragma once
#include <string>

#include "files/FileResult.h"

namespace korvalinx {

// Reads the whole file into `contents`. On failure `contents` is empty and
// the result's error tells a missing file (ENOENT) from other faults.
FileResult ReadWholeFile(const std::string& path, std::string& contents);

}  // namespace korvalinx
