#pragma once
#include <string>

namespace korvalinx {

// The settings file next to the program: the program's path with the letters
// A to Z of its file name lowered and the file name's three-character
// extension replaced by "ini" (".ini" appended when it has none):
//   /opt/Korvalinx/Korvalinx  -> /opt/Korvalinx/korvalinx.ini
//   C:\Tools\Scope.EXE        -> c:\tools\scope.ini
// A path in Windows form (backslashes or a drive letter) is lowered whole, as
// names there ignore case; in a POSIX path the folder keeps its case, since
// there a folder spelt otherwise is another folder.
std::string SettingsPathFor(const std::string& programPath);

}  // namespace korvalinx
