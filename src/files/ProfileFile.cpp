#include "files/ProfileFile.h"

#include <cerrno>

#include "files/AtomicFileWrite.h"
#include "files/ProfileText.h"
#include "files/WholeFileRead.h"

namespace korvalinx {

std::optional<std::string> ProfileFile::read(std::string_view section, std::string_view key) const {
  std::string text;
  if (!ReadWholeFile(path_, text)) return std::nullopt;
  const std::optional<std::string_view> value = FindProfileValue(text, section, key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  return read(section, key).value_or(std::string(defaultValue));
}

FileResult ProfileFile::writeString(std::string_view section, std::string_view key,
                                    std::string_view value) {
  // A line break in a value would turn into lines of their own and could
  // inject other keys, so such an entry is refused.
  if (!IsWritableProfileEntry(section, key, value)) return FileFailure("write", path_, EINVAL);
  std::string text;
  if (const FileResult read = ReadWholeFile(path_, text);
      !read && read.error != ENOENT && read.error != ENOTDIR) {
    // Writing without the old content would lose every other line.
    return read;
  }
  return WriteFileAtomically(path_, SetProfileValue(text, section, key, value));
}

}  // namespace korvalinx
