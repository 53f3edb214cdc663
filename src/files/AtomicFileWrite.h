#pragma once
// Replacing a file's whole content so that a crash or a failed write never
// leaves a half-written file: the bytes go to a temporary file in the same
// folder, which is flushed to disk and only then renamed over the target.

#include <cstddef>
#include <string>
#include <string_view>

#include "files/FileResult.h"

namespace korvalinx {

// Writes `size` bytes as the new content of `path`. On failure the file
// keeps its old content (or stays absent) and no temporary file is left.
// A symbolic link is followed, so the file it points to is replaced; an
// existing file keeps its permission bits.
FileResult WriteFileAtomically(const std::string& path, const void* data, size_t size);

inline FileResult WriteFileAtomically(const std::string& path, std::string_view text) {
  return WriteFileAtomically(path, text.data(), text.size());
}

}  // namespace korvalinx
