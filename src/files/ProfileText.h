#pragma once
// The text of an initialization file ("profile" file), e.g.
//
//   [Controls]
//   txtDelay=1000
//
// A section runs from its "[name]" line to the next section line. A key line
// is "name=value"; blanks (spaces, tabs) around the name and the value are
// not part of them. Lines starting with ';' are comments. Section and key
// names match without regard to ASCII case; when a section or a key appears
// twice, the first one counts. Lines end with LF or CR LF.

#include <optional>
#include <string>
#include <string_view>

namespace korvalinx {

// The value of `key` in `section`, or nothing when either is missing. Keys
// outside the section are never looked at.
std::optional<std::string_view> FindProfileValue(std::string_view text, std::string_view section,
                                                 std::string_view key);

// Whether `key`=`value` in `section` can be written as a line of its own
// that reads back as the same key: no line breaks anywhere, no ']' in the
// section name, a key without '=' and without surrounding blanks that does
// not look like a section or a comment.
bool IsWritableProfileEntry(std::string_view section, std::string_view key, std::string_view value);

// `text` with `key` in `section` set to `value`. Only that key's line
// changes; every other byte stays. A new key goes after the last non-blank
// line of its section, a new section at the end of the text. New lines use
// the line end of the text's first line (LF when there is none).
std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value);

}  // namespace korvalinx
