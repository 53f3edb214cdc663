#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <stdexcept>

#include "TempFolder.h"
#include "files/ControlsSettings.h"
#include "files/WriteLog.h"

namespace korvalinx {
namespace {

// An element as the window would wrap it; counts what the settings load does
// that would run the element's action.
class FakeElement : public SettingsElement {
 public:
  FakeElement(std::string name, ElementKind kind, std::string text = "", bool checked = false)
      : name_(std::move(name)), kind_(kind), text_(std::move(text)), checked_(checked) {}
  std::string name() const override { return name_; }
  ElementKind kind() const override { return kind_; }
  std::string text() const override {
    if (throws) throw std::runtime_error("element gone");
    return text_;
  }
  void setText(const std::string& text) override {
    text_ = text;
    ++textSets;
  }
  bool isChecked() const override { return checked_; }
  // Only a change of state runs a check box's click action.
  void setChecked(bool checked) override {
    if (checked != checked_) ++checkChanges;
    checked_ = checked;
  }

  int textSets = 0;
  int checkChanges = 0;
  bool throws = false;

 private:
  std::string name_;
  ElementKind kind_;
  std::string text_;
  bool checked_;
};

// The kept elements of the main window with their values before any
// settings file exists, among elements that are not kept.
struct MainWindowElements {
  FakeElement scrlDisplay{"scrlDisplay", ElementKind::Other};
  FakeElement chkContinousSample{"chkContinousSample", ElementKind::CheckBox};
  FakeElement cmdSample{"cmdSample", ElementKind::Other, "Sample"};
  FakeElement txtDelay{"txtDelay", ElementKind::Edit, "1000"};
  FakeElement txtRate{"txtRate", ElementKind::Edit, "0"};
  FakeElement txtChannel{"txtChannel", ElementKind::Edit, "1"};
  FakeElement txtInputPort{"txtInputPort", ElementKind::Edit, "378"};
  FakeElement txtSamplesize{"txtSamplesize", ElementKind::Edit, "1000"};
  FakeElement txtGranularity{"txtGranularity", ElementKind::Edit, "1 us"};

  std::vector<SettingsElement*> owned() {
    return {&scrlDisplay, &chkContinousSample, &cmdSample,     &txtDelay,      &txtRate,
            &txtChannel,  &txtInputPort,       &txtSamplesize, &txtGranularity};
  }
};

const char* const kFirstRunFile =
    "[Controls]\n"
    "chkContinousSample=0\n"
    "txtDelay=1000\n"
    "txtRate=0\n"
    "txtChannel=1\n"
    "txtInputPort=378\n"
    "txtSamplesize=1000\n"
    "txtGranularity=1 us\n";

// Runs each test in a fresh current folder, where the log is written.
class ControlsSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    oldCwd_ = cwd;
    ASSERT_EQ(::chdir(folder_.path().c_str()), 0);
  }
  void TearDown() override { EXPECT_EQ(::chdir(oldCwd_.c_str()), 0); }

  TempFolder folder_;
  std::string oldCwd_;
};

TEST_F(ControlsSettings, FirstRunKeepsTheFieldsAndSavesSevenKeysInOrder) {
  MainWindowElements window;
  const std::string path = folder_.file("korvalinx.ini");
  controlsRead(window.owned(), path);
  for (SettingsElement* element : window.owned()) {
    auto* fake = static_cast<FakeElement*>(element);
    EXPECT_EQ(fake->textSets + fake->checkChanges, 0) << fake->name();
  }
  EXPECT_TRUE(folder_.names().empty());

  controlsWrite(window.owned(), path);
  EXPECT_EQ(ReadBytes(path), kFirstRunFile);
  EXPECT_EQ(folder_.names(), std::vector<std::string>{"korvalinx.ini"});

  // A second run reads its own file back without changing anything.
  MainWindowElements next;
  controlsRead(next.owned(), path);
  for (SettingsElement* element : next.owned()) {
    auto* fake = static_cast<FakeElement*>(element);
    EXPECT_EQ(fake->textSets + fake->checkChanges, 0) << fake->name();
  }
}

TEST_F(ControlsSettings, SavingKeepsOtherSectionsAndKeys) {
  MainWindowElements window;
  window.chkContinousSample.setChecked(true);
  window.txtInputPort.setText("3BC");
  const std::string path = folder_.file("korvalinx.ini");
  WriteBytes(path,
             "; hand-written\r\n[Colors]\r\ntxtDelay=keep\r\n\r\n[controls]\r\n"
             "txtRate = 0\r\nmyOwnKey=x\r\ntxtGranularity=0.66 us\r\n\r\n[Last]\r\nz=1");
  controlsWrite(window.owned(), path);
  EXPECT_EQ(ReadBytes(path),
            "; hand-written\r\n[Colors]\r\ntxtDelay=keep\r\n\r\n[controls]\r\n"
            "txtRate=0\r\nmyOwnKey=x\r\ntxtGranularity=1 us\r\nchkContinousSample=1\r\n"
            "txtDelay=1000\r\ntxtChannel=1\r\ntxtInputPort=3BC\r\ntxtSamplesize=1000\r\n"
            "\r\n[Last]\r\nz=1");
}

TEST_F(ControlsSettings, CheckedStateFollowsWholeNumbers) {
  struct Case {
    const char* value;
    bool before;
    bool after;
  };
  const Case cases[] = {
      {"0x10", false, true},  {"0X0", true, false}, {"0", true, false},
      {"1", false, true},     {"-1", false, true},  {" 7 ", false, true},
      {"true", false, false}, {"true", true, true}, {"1x", false, false},
      {"0x", true, true},     {"", true, true},     {"99999999999", false, false},
  };
  const std::string path = folder_.file("s.ini");
  for (const Case& c : cases) {
    WriteBytes(path, std::string("[Controls]\nchk=") + c.value + "\nopt=" + c.value + "\n");
    FakeElement box("chk", ElementKind::CheckBox, "", c.before);
    FakeElement radio("opt", ElementKind::RadioButton, "", c.before);
    controlsRead({&box, &radio}, path);
    EXPECT_EQ(box.isChecked(), c.after) << '"' << c.value << '"';
    EXPECT_EQ(radio.isChecked(), c.after) << '"' << c.value << '"';
  }
}

TEST_F(ControlsSettings, EditTextIsSetOnlyWhenItDiffers) {
  const std::string path = folder_.file("s.ini");
  WriteBytes(path, "[Other]\ntxtChannel=5\n[Controls]\ntxtDelay=\ntxtInputPort=378\ntxtRate=12\n");
  FakeElement delay("txtDelay", ElementKind::Edit, "1000");
  FakeElement port("txtInputPort", ElementKind::Edit, "378");
  FakeElement rate("txtRate", ElementKind::Edit, "0");
  FakeElement channel("txtChannel", ElementKind::Edit, "1");
  controlsRead({&delay, &port, &rate, &channel}, path);
  EXPECT_EQ(delay.text(), "");
  EXPECT_EQ(delay.textSets, 1);
  EXPECT_EQ(port.textSets, 0);
  EXPECT_EQ(rate.text(), "12");
  EXPECT_EQ(channel.text(), "1");
  EXPECT_EQ(channel.textSets, 0);
}

TEST_F(ControlsSettings, FailedSaveStopsAtTheFailingKeyAndLogsOnlyTheMessage) {
  WriteBytes(kLogFileName, "an older and much longer message\n");
  const std::string path = folder_.file("s.ini");
  FakeElement box("chk", ElementKind::CheckBox, "", true);
  FakeElement first("txtA", ElementKind::Edit, "a");
  FakeElement broken("txtB", ElementKind::Edit, "line\nbreak");
  FakeElement after("txtC", ElementKind::Edit, "c");
  controlsWrite({&box, &first, &broken, &after}, path);
  EXPECT_EQ(ReadBytes(path), "[Controls]\nchk=1\ntxtA=a\n");
  EXPECT_EQ(ReadBytes(kLogFileName), "valuecontrolsWrite: Error writing settings");

  std::filesystem::remove(kLogFileName);
  MainWindowElements window;
  controlsWrite(window.owned(), folder_.file("missing/s.ini"));
  EXPECT_EQ(ReadBytes(kLogFileName), "valuecontrolsWrite: Error writing settings");

  std::filesystem::remove(kLogFileName);
  window.txtDelay.throws = true;
  EXPECT_NO_THROW(controlsWrite(window.owned(), path));
  EXPECT_EQ(ReadBytes(kLogFileName), "valuecontrolsWrite: Error writing settings");
}

TEST_F(ControlsSettings, LogHoldsTheLastMessageAndFailsQuietly) {
  WriteLog("first message");
  WriteLog("second");
  EXPECT_EQ(ReadBytes(kLogFileName), "second");

  std::filesystem::remove(kLogFileName);
  ASSERT_EQ(::mkdir(kLogFileName, 0755), 0);  // a log that cannot be created
  WriteLog("lost");
  EXPECT_TRUE(std::filesystem::is_directory(kLogFileName));
  EXPECT_TRUE(std::filesystem::is_empty(kLogFileName));
}

}  // namespace
}  // namespace korvalinx
