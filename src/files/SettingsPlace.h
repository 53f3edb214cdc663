#pragma once
// Where the settings file is kept. Next to the program comes first, so that
// a copy in a folder of its own keeps its settings beside it; an installed
// program, whose folder the user cannot write, keeps them in the user's
// configuration folder instead.

#include <functional>
#include <string>

namespace korvalinx {

// Whether this process may create and replace files in `folder` (search and
// write permission for the real user, as access(2) judges it).
bool FolderIsWritable(const std::string& folder);

// The settings file: SettingsPathFor(programPath) when that file exists or
// the program's folder is writable; otherwise the same file name in the
// folder "korvalinx" under `configFolder` (the user's configuration folder,
// $XDG_CONFIG_HOME or ~/.config). An empty `configFolder` (none known)
// keeps the place next to the program.
std::string ChooseSettingsPath(
    const std::string& programPath, const std::string& configFolder,
    const std::function<bool(const std::string&)>& folderIsWritable = FolderIsWritable);

// Creates the folder that holds `settingsPath`, with any missing parents,
// readable by the user alone (0700). An existing folder is left as it is; a
// folder that cannot be made is left for the save to meet and log.
void MakeSettingsFolder(const std::string& settingsPath);

}  // namespace korvalinx
