#pragma once
// Replacing a file's whole content so that a crash or a failed write never
// leaves a half-written file: the bytes go to a temporary file in the same
// folder, which is flushed to disk and only then renamed over the target.
//
// The replacement keeps what writing into the file itself would keep:
//  - the permission bits, the owner and the group;
//  - the other names of a file with hard links;
//  - a file that may be written in a folder that may not (a settings file
//    beside an installed program, a capture in a shared folder);
//  - the refusal of a file the user may not write.
// Where a temporary file cannot do that, the existing file is written in
// place (cut to length 0, written, flushed to disk); a failure half-way then
// leaves it incomplete, as any in-place write would.

#include <cstddef>
#include <string>
#include <string_view>

#include "files/FileResult.h"

namespace korvalinx {

// Writes `size` bytes as the new content of `path`. On failure of the
// replacement path the file keeps its old content (or stays absent) and no
// temporary file is left. A symbolic link is followed, so the file it points
// to is written.
FileResult WriteFileAtomically(const std::string& path, const void* data, size_t size);

inline FileResult WriteFileAtomically(const std::string& path, std::string_view text) {
  return WriteFileAtomically(path, text.data(), text.size());
}

}  // namespace korvalinx
