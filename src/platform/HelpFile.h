#pragma once
// Finding the help text and showing it in the desktop's text editor.

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvalinx {

inline constexpr const char* kHelpFileName = "korvalinx.txt";

// Where the help text may be, in the order it is looked for: the current
// folder, the program's folder (a build or a copy in a folder of its own),
// and the documentation folder of the installation the program belongs to
// (bin/../share/doc/korvalinx).
std::vector<std::string> HelpFilePlaces(const std::string& currentFolder,
                                        const std::string& programFolder);

// The first of `places` that is a regular file, or nothing.
std::optional<std::string> FindHelpFile(const std::vector<std::string>& places);

// What Help says when there is no help text anywhere, and when the desktop
// has no program to show it.
std::string HelpNotFoundMessage();
std::string HelpCannotOpenMessage(const std::string& path);

// Asks the desktop to show the file at `path` in its text editor. When no
// program can show it (the opener cannot be started, or it ends with an
// error), `cannotOpen` runs on the user-interface thread, possibly after this
// returns. An installed test answerer takes the request instead.
void OpenInTextEditor(const std::string& path, std::function<void()> cannotOpen);

// The same with `opener` as the program that is given the path.
// The opener runs without any port access of this process; it is left
// running when the program ends, so an editor it waits for stays open.
void OpenWith(const QString& opener, const std::string& path, std::function<void()> cannotOpen);

}  // namespace korvalinx
