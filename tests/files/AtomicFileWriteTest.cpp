#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ios>

#include "TempFolder.h"
#include "files/AtomicFileWrite.h"

namespace korvalinx {
namespace {

// While alive, no file may grow past `bytes`: a longer write fails with
// EFBIG instead of raising SIGXFSZ. Lets a write fail half-way, even as root.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st;
}

TEST(WriteFileAtomically, ReplacesContentAndLeavesNothingElse) {
  TempFolder folder;
  const std::string path = folder.file("a.txt");
  WriteBytes(path, std::string(5000, 'x'));
  ASSERT_TRUE(WriteFileAtomically(path, std::string_view("new")));
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"a.txt"});
}

TEST(WriteFileAtomically, FailureHalfWayKeepsOldFileAndRemovesTemporary) {
  TempFolder folder;
  const std::string path = folder.file("capture.kvx");
  const std::string old(100, 'o');
  WriteBytes(path, old);
  FileResult result;
  {
    FileSizeLimit limit(4096);
    result = WriteFileAtomically(path, std::string(100000, 'n'));
  }
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, "Cannot write \"" + path + "\": File too large");
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(folder.names(), std::vector<std::string>{"capture.kvx"});
}

TEST(WriteFileAtomically, ReportsFoldersThatCannotHoldTheFile) {
  TempFolder folder;
  WriteBytes(folder.file("plain"), "x");
  ::mkdir(folder.file("sub").c_str(), 0755);
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {
      {folder.file("missing/a.txt"), "No such file or directory"},
      {folder.file("plain/a.txt"), "Not a directory"},
      {folder.file("sub"), "Is a directory"},
      {"/proc/korvalinx-test.txt", ""},
  };
  for (const Case& c : cases) {
    const FileResult result = WriteFileAtomically(c.path, std::string_view("data"));
    EXPECT_FALSE(result.ok) << c.path;
    EXPECT_NE(result.error, 0) << c.path;
    EXPECT_EQ(result.message.rfind("Cannot write \"" + c.path + "\": " + c.reason, 0), 0u)
        << result.message;
  }
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"plain", "sub"}));
  EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "sub"));
}

TEST(WriteFileAtomically, KeepsSymbolicLinksHardLinksAndPermissionBits) {
  TempFolder folder;
  const std::string real = folder.file("real.ini");
  const std::string link = folder.file("link.ini");
  WriteBytes(real, "old");
  ::chmod(real.c_str(), 0640);
  ASSERT_EQ(::symlink("real.ini", link.c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(link, std::string_view("new")));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "new");
  EXPECT_EQ(StatOf(real).st_mode & 07777, 0640u);

  // A file with a second name is written in place: both names show the new
  // content.
  const std::string second = folder.file("second.ini");
  ASSERT_EQ(::link(real.c_str(), second.c_str()), 0);
  const ino_t inode = StatOf(real).st_ino;
  ASSERT_TRUE(WriteFileAtomically(real, std::string_view("both")));
  EXPECT_EQ(ReadBytes(second), "both");
  EXPECT_EQ(StatOf(real).st_ino, inode);
  EXPECT_EQ(StatOf(real).st_nlink, 2u);
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"link.ini", "real.ini", "second.ini"}));

  // A single name is replaced through the temporary file, with the old bits.
  for (const mode_t mode : {0600u, 0604u, 0664u, 0751u}) {
    const std::string file = folder.file("mode");
    WriteBytes(file, "old");
    ::chmod(file.c_str(), mode);
    const ino_t before = StatOf(file).st_ino;
    ASSERT_TRUE(WriteFileAtomically(file, std::string_view("new")));
    EXPECT_NE(StatOf(file).st_ino, before) << std::oct << mode;
    EXPECT_EQ(StatOf(file).st_mode & 07777, mode) << std::oct << mode;
    EXPECT_EQ(ReadBytes(file), "new");
  }
}

// The ordinary user the tests run as when they can: nobody, with one
// supplementary group.
constexpr uid_t kUser = 65534;
constexpr gid_t kUserGroup = 65534;
constexpr gid_t kOtherGroup = 100;
constexpr gid_t kRootGroup = 0;

// Runs WriteFileAtomically(path, text) in a child process that is the
// ordinary user and returns the errno of its failure, 0 on success.
int WriteAsOrdinaryUser(const std::string& path, const std::string& text) {
  const pid_t child = ::fork();
  if (child == 0) {
    const gid_t groups[] = {kOtherGroup};
    if (::setgroups(1, groups) != 0 || ::setresgid(kUserGroup, kUserGroup, kUserGroup) != 0 ||
        ::setresuid(kUser, kUser, kUser) != 0) {
      ::_exit(255);
    }
    const FileResult result = WriteFileAtomically(path, text);
    ::_exit(result.ok ? 0 : (result.error > 0 && result.error < 255 ? result.error : 254));
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 253;
}

// Every folder above `path` must let others pass for the ordinary user to
// reach it.
bool ReachableByOthers(std::filesystem::path path) {
  for (path = path.parent_path(); !path.empty() && path != path.root_path();
       path = path.parent_path()) {
    if ((StatOf(path.string()).st_mode & S_IXOTH) == 0) return false;
  }
  return true;
}

// What an ordinary user meets in folders and files of other users. Needs
// root to prepare them and to become that user.
TEST(WriteFileAtomically, OrdinaryUserInFoldersAndFilesOfOthers) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  TempFolder folder;
  if (!ReachableByOthers(folder.path())) GTEST_SKIP() << "temporary folder is private";
  // The folder belongs to root: the user may not add files to it.
  ::chmod(folder.path().c_str(), 0755);
  const std::string shared = folder.file("shared");
  ::mkdir(shared.c_str(), 0755);
  ASSERT_EQ(::chown(shared.c_str(), kUser, kUserGroup), 0);  // the user's own folder

  struct Case {
    const char* name;
    const char* in;  // "" the root folder, else the user's own folder
    uid_t owner;
    gid_t group;
    mode_t mode;
    int error;       // what the write answers
    bool sameInode;  // written in place
  };
  const Case cases[] = {
      // Folder not writable, file writable: written in place.
      {"settings.ini", "", kUser, kUserGroup, 0644, 0, true},
      // Folder not writable, file not writable: refused.
      {"root.ini", "", 0, kRootGroup, 0644, EACCES, true},
      // Own folder, own file: replaced, the bits and the group (one of the
      // user's groups) carried over.
      {"own.kvx", "shared/", kUser, kOtherGroup, 0640, 0, false},
      // Own folder, own read-only file: refused as a plain write would be.
      {"readonly.kvx", "shared/", kUser, kUserGroup, 0444, EACCES, true},
      // Own folder, another user's file writable through its group: the
      // owner cannot be carried over, so it is written in place.
      {"group.kvx", "shared/", 0, kOtherGroup, 0664, 0, true},
      // Own file in a group the user is not in: the group cannot be carried
      // over, so it is written in place.
      {"foreign-group.kvx", "shared/", kUser, kRootGroup, 0660, 0, true},
  };
  for (const Case& c : cases) {
    const std::string file = folder.file(std::string(c.in) + c.name);
    WriteBytes(file, "old content");
    ASSERT_EQ(::chown(file.c_str(), c.owner, c.group), 0);
    ::chmod(file.c_str(), c.mode);
    const ino_t before = StatOf(file).st_ino;

    EXPECT_EQ(WriteAsOrdinaryUser(file, "new"), c.error) << c.name;
    const struct stat after = StatOf(file);
    EXPECT_EQ(ReadBytes(file), c.error == 0 ? "new" : "old content") << c.name;
    EXPECT_EQ(after.st_ino == before, c.sameInode) << c.name;
    EXPECT_EQ(after.st_uid, c.owner) << c.name;
    EXPECT_EQ(after.st_gid, c.group) << c.name;
    EXPECT_EQ(after.st_mode & 07777, c.mode) << c.name;
  }
  // No temporary file left anywhere.
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"root.ini", "settings.ini", "shared"}));
  std::vector<std::string> inShared;
  for (const auto& e : std::filesystem::directory_iterator(shared))
    inShared.push_back(e.path().filename().string());
  std::sort(inShared.begin(), inShared.end());
  EXPECT_EQ(inShared, (std::vector<std::string>{"foreign-group.kvx", "group.kvx", "own.kvx",
                                                "readonly.kvx"}));

  // A new file in a folder the user may not write stays a failure.
  EXPECT_EQ(WriteAsOrdinaryUser(folder.file("new.kvx"), "new"), EACCES);
  EXPECT_FALSE(std::filesystem::exists(folder.file("new.kvx")));
}

TEST(WriteFileAtomically, RootKeepsAnotherUsersOwnerAndGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to hand a file to another user";
  TempFolder folder;
  const std::string file = folder.file("capture.kvx");
  WriteBytes(file, "old");
  ASSERT_EQ(::chown(file.c_str(), kUser, kOtherGroup), 0);
  ::chmod(file.c_str(), 04640);  // the set-user-ID bit survives the owner
  const ino_t before = StatOf(file).st_ino;
  ASSERT_TRUE(WriteFileAtomically(file, std::string_view("new")));
  const struct stat after = StatOf(file);
  EXPECT_NE(after.st_ino, before);
  EXPECT_EQ(after.st_uid, kUser);
  EXPECT_EQ(after.st_gid, kOtherGroup);
  EXPECT_EQ(after.st_mode & 07777, 04640u);
}

}  // namespace
}  // namespace korvalinx
