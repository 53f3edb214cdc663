#pragma once

#include <string>
#include <string_view>

namespace korvalinx {

// The directory part of a Windows path: everything before the last backslash
// or drive colon, without a final backslash unless it follows a colon or
// another backslash (so "C:\k.exe" gives "C:\"). Empty for a bare file name.
std::string ProgramFolderOf(std::string_view programPath);

}  // namespace korvalinx
