#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

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

TEST(WriteFileAtomically, KeepsLinksAndPermissions) {
  TempFolder folder;
  const std::string real = folder.file("real.ini");
  const std::string link = folder.file("link.ini");
  WriteBytes(real, "old");
  ::chmod(real.c_str(), 0640);
  ASSERT_EQ(::symlink("real.ini", link.c_str()), 0);

  ASSERT_TRUE(WriteFileAtomically(link, std::string_view("new")));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "new");
  struct stat st;
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

}  // namespace
}  // namespace korvalinx
