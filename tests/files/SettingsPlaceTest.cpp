#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "files/SettingsPlace.h"

namespace korvalinx {
namespace {

TEST(ChooseSettingsPath, NextToTheProgramFirstThenTheUsersConfigFolder) {
  TempFolder temp;
  const std::filesystem::path program = temp.path() / "bin" / "Korvalinx-Demo";
  std::filesystem::create_directories(program.parent_path());
  const std::string beside = (temp.path() / "bin" / "korvalinx-demo.ini").string();
  const std::string config = (temp.path() / "config").string();
  const std::string inConfig = config + "/korvalinx/korvalinx-demo.ini";

  struct Case {
    const char* what;
    bool fileBeside;
    bool folderWritable;
    std::string configFolder;
    std::string expected;
  };
  const Case cases[] = {
      {"writable folder, no file yet", false, true, config, beside},
      {"file beside, folder writable", true, true, config, beside},
      {"file beside, folder not writable", true, false, config, beside},
      {"no file, folder not writable", false, false, config, inConfig},
      {"trailing slash on the config folder", false, false, config + "/", inConfig},
      {"no config folder known", false, false, "", beside},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(beside);
    if (c.fileBeside) WriteBytes(beside, "[Controls]\n");
    std::string asked;
    const std::string chosen =
        ChooseSettingsPath(program.string(), c.configFolder, [&](const std::string& folder) {
          asked = folder;
          return c.folderWritable;
        });
    EXPECT_EQ(chosen, c.expected) << c.what;
    if (!asked.empty()) {
      EXPECT_EQ(asked, program.parent_path().string()) << c.what;
    }
  }
}

TEST(ChooseSettingsPath, AFolderInPlaceOfTheFileDoesNotCountAsTheFile) {
  TempFolder temp;
  std::filesystem::create_directory(temp.path() / "korvalinx.ini");
  EXPECT_EQ(ChooseSettingsPath(temp.file("korvalinx"), temp.file("config"),
                               [](const std::string&) { return false; }),
            temp.file("config") + "/korvalinx/korvalinx.ini");
}

// The real check, as an ordinary user: root may write anywhere, so as root
// the check runs in a child that has become the user "nobody".
TEST(FolderIsWritable, FollowsTheFoldersPermissionsForAnOrdinaryUser) {
  TempFolder temp;
  const std::string open = temp.file("open");
  const std::string closed = temp.file("closed");
  std::filesystem::create_directory(open);
  std::filesystem::create_directory(closed);
  ASSERT_EQ(::chmod(temp.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(open.c_str(), 0777), 0);
  ASSERT_EQ(::chmod(closed.c_str(), 0555), 0);

  if (::geteuid() != 0) {
    EXPECT_TRUE(FolderIsWritable(open));
    EXPECT_FALSE(FolderIsWritable(closed));
    EXPECT_FALSE(FolderIsWritable(temp.file("missing")));
    return;
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const gid_t nobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
        ::setresuid(nobody, nobody, nobody) != 0) {
      ::_exit(10);
    }
    int code = 0;
    if (!FolderIsWritable(open)) code |= 1;
    if (FolderIsWritable(closed)) code |= 2;
    if (FolderIsWritable(temp.file("missing"))) code |= 4;
    ::_exit(code);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: open folder refused, 2: closed folder allowed, "
                                       "4: missing folder allowed, 10: could not become nobody";
}

TEST(MakeSettingsFolder, MakesTheMissingFoldersPrivateAndLeavesAnExistingOne) {
  TempFolder temp;
  const std::string settings = temp.file("home/.config/korvalinx/korvalinx-demo.ini");
  MakeSettingsFolder(settings);
  for (const char* folder : {"home", "home/.config", "home/.config/korvalinx"}) {
    struct stat st {};
    ASSERT_EQ(::stat(temp.file(folder).c_str(), &st), 0) << folder;
    EXPECT_TRUE(S_ISDIR(st.st_mode)) << folder;
    EXPECT_EQ(st.st_mode & 0777, 0700u) << folder;
  }
  ASSERT_EQ(::chmod(temp.file("home/.config").c_str(), 0755), 0);
  MakeSettingsFolder(settings);
  struct stat st {};
  ASSERT_EQ(::stat(temp.file("home/.config").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0755u);
  EXPECT_TRUE(temp.names() == std::vector<std::string>{"home"});
}

}  // namespace
}  // namespace korvalinx
