#pragma once
// An initialization file on disk, read and written one key at a time (the
// text rules are those of ProfileText.h). Every read looks at the file as it
// is now; every write replaces the file atomically where its folder allows,
// so a crash mid-write leaves either the old or the new file, never a broken
// one (a settings file in a folder the user may not write is written in
// place, see AtomicFileWrite.h).

#include <optional>
#include <string>
#include <string_view>

#include "files/FileResult.h"

namespace korvalinx {

class ProfileFile {
 public:
  explicit ProfileFile(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  // The key's value; nothing when the file cannot be read or the section or
  // the key is missing. Reading never creates the file.
  std::optional<std::string> read(std::string_view section, std::string_view key) const;

  std::string readString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;

  // Sets one key, changing only its line; a new key goes to the end of its
  // section, a new section to the end of the file, which is created when it
  // does not exist. The new file is on disk when this returns.
  FileResult writeString(std::string_view section, std::string_view key, std::string_view value);

 private:
  std::string path_;
};

}  // namespace korvalinx
