#include "files/SettingsPlace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/PathParts.h"
#include "files/SettingsPath.h"

namespace korvalinx {
namespace {

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

bool FolderIsWritable(const std::string& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string ChooseSettingsPath(const std::string& programPath, const std::string& configFolder,
                               const std::function<bool(const std::string&)>& folderIsWritable) {
  const std::string besideProgram = SettingsPathFor(programPath);
  if (configFolder.empty() || IsRegularFile(besideProgram) ||
      folderIsWritable(FolderOf(besideProgram))) {
    return besideProgram;
  }
  std::string folder = configFolder;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder + "/korvalinx/" + NameOf(besideProgram);
}

void MakeSettingsFolder(const std::string& settingsPath) {
  const std::string folder = FolderOf(settingsPath);
  // Every missing folder on the way, outermost first.
  for (size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
    const std::string step = folder.substr(0, end);
    if (::mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) return;
    if (end == std::string::npos) return;
  }
}

}  // namespace korvalinx
