#include <sys/stat.h>

#include <QDir>
#include <QTest>
#include <filesystem>

#include "app/WindowFixture.h"
#include "platform/HelpFile.h"

namespace korvalinx {
namespace {

// The current folder is the fixture's folder; the program lies in prog/bin
// and an installation's documentation in prog/<docdir>.
class HelpCommandTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    programFolder = path("prog/bin");
    std::filesystem::create_directories(programFolder);
    open();
  }
  std::string current() const { return path("korvalinx.txt"); }
  std::string beside() const { return programFolder + "/korvalinx.txt"; }
  std::string installed() const {
    return programFolder + "/" KORVALINX_DOCDIR_FROM_BINDIR "/korvalinx.txt";
  }
  static void Put(const std::string& file) {
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    WriteWholeFile(file, "help\n");
  }
};

TEST_F(HelpCommandTest, OpensTheFirstHelpTextOfCurrentFolderProgramFolderInstallation) {
  struct Case {
    const char* what;
    bool inCurrent, besideProgram, inInstallation;
    int expected;  // 0 current, 1 beside, 2 installed
  };
  const Case cases[] = {
      {"all three", true, true, true, 0},
      {"beside and installed", false, true, true, 1},
      {"installed only", false, false, true, 2},
      {"current only", true, false, false, 0},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(path("prog"));
    std::filesystem::remove(current());
    std::filesystem::create_directories(programFolder);
    if (c.inCurrent) Put(current());
    if (c.besideProgram) Put(beside());
    if (c.inInstallation) Put(installed());
    answerer.opened.clear();
    window->Help2->trigger();
    const std::string expected[] = {current(), beside(), installed()};
    ASSERT_EQ(answerer.opened.size(), 1u) << c.what;
    EXPECT_EQ(std::filesystem::canonical(answerer.opened[0]),
              std::filesystem::canonical(expected[c.expected]))
        << c.what;
  }
  EXPECT_TRUE(answerer.messages.empty());
}

TEST_F(HelpCommandTest, NoHelpTextAnywhereSaysSo) {
  // A folder of that name is not the text.
  std::filesystem::create_directory(current());
  answerer.messageAnswers = {MessageResult::Ok};
  window->Help2->trigger();
  EXPECT_TRUE(answerer.opened.empty());
  ASSERT_EQ(answerer.messages.size(), 1u);
  EXPECT_EQ(answerer.messages[0].text, HelpNotFoundMessage());
  EXPECT_NE(answerer.messages[0].text.find("korvalinx.txt"), std::string::npos);
  EXPECT_EQ(answerer.messages[0].buttons, MessageButtons::Ok);
}

TEST_F(HelpCommandTest, ADesktopWithoutAnEditorGetsToldWhereTheTextIs) {
  Put(installed());
  answerer.editorOpens = false;
  answerer.messageAnswers = {MessageResult::Ok};
  window->Help2->trigger();
  ASSERT_EQ(answerer.messages.size(), 1u);
  EXPECT_NE(answerer.messages[0].text.find(answerer.opened.at(0)), std::string::npos)
      << answerer.messages[0].text;
  EXPECT_EQ(answerer.messages[0].text, HelpCannotOpenMessage(answerer.opened[0]));
}

// The opener itself, started as a process: its exit status decides.
class OpenWithTest : public ::testing::Test {
 protected:
  // A shell script as the opener: records its arguments, then `body`.
  QString opener(const std::string& body) {
    const std::string script = folder.filePath("opener").toStdString();
    WriteWholeFile(script, "#!/bin/sh\nprintf '%s|' \"$@\" > '" + args() + "'\n" + body + "\n");
    ::chmod(script.c_str(), 0755);
    return QString::fromStdString(script);
  }
  std::string args() const { return folder.filePath("args").toStdString(); }

  QTemporaryDir folder;
  int cannotOpen = 0;
};

TEST_F(OpenWithTest, AnOpenerThatFailsOrCannotStartIsReported) {
  OpenWith(opener("exit 4"), "/some/help.txt", [this] { ++cannotOpen; });
  QTRY_COMPARE_WITH_TIMEOUT(cannotOpen, 1, 10000);
  EXPECT_EQ(ReadWholeFile(args()), "/some/help.txt|");

  OpenWith(opener("kill -KILL $$"), "/some/help.txt", [this] { ++cannotOpen; });
  QTRY_COMPARE_WITH_TIMEOUT(cannotOpen, 2, 10000);

  OpenWith(folder.filePath("no-such-opener"), "/some/help.txt", [this] { ++cannotOpen; });
  QTRY_COMPARE_WITH_TIMEOUT(cannotOpen, 3, 10000);
}

TEST_F(OpenWithTest, AnOpenerThatSucceedsIsNotReported) {
  const std::string done = folder.filePath("done").toStdString();
  OpenWith(opener("touch '" + done + "'"), "/a b/help.txt", [this] { ++cannotOpen; });
  QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(done), 10000);
  QTest::qWait(300);  // time for its end to be handled
  EXPECT_EQ(cannotOpen, 0);
  EXPECT_EQ(ReadWholeFile(args()), "/a b/help.txt|");
}

}  // namespace
}  // namespace korvalinx
