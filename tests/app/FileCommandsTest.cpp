#include <QTest>

#include "app/WindowFixture.h"

namespace korvalinx {
namespace {

class FileCommandsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    open();
  }
};

TEST_F(FileCommandsTest, SaveAndLoadRoundTripThroughTheDialogs) {
  for (int i = 0; i < kCaptureBufferSize; ++i)
    analyzerState.buffer[i] = static_cast<uint8_t>(i * 7);
  const std::string file = path("capture.kvx");
  answerer.fileAnswers = {file};
  window->Save1->trigger();
  ASSERT_EQ(answerer.fileRequests.size(), 1u);
  EXPECT_EQ(answerer.fileRequests[0].kind, FileDialogKind::Save);
  EXPECT_EQ(ReadWholeFile(file).size(), static_cast<size_t>(kCaptureBufferSize));

  analyzerState.buffer.fill(0);
  analyzerState.mark1 = 5;
  answerer.fileAnswers = {file};
  window->Load1->trigger();
  EXPECT_EQ(answerer.fileRequests[1].kind, FileDialogKind::Open);
  EXPECT_EQ(answerer.fileRequests[1].filterIndex, 1);
  for (int i : {0, 1, 4095, kCaptureBufferSize - 1})
    EXPECT_EQ(analyzerState.buffer[i], static_cast<uint8_t>(i * 7));
  EXPECT_EQ(analyzerState.mark1, 5);
  EXPECT_TRUE(answerer.messages.empty());
}

TEST_F(FileCommandsTest, ACancelAfterAnEarlierChoiceReadsAndWritesNothing) {
  const std::string file = path("kept.kvx");
  WriteWholeFile(file, "0123456789");
  answerer.fileAnswers = {file};
  window->Load1->trigger();
  EXPECT_EQ(analyzerState.buffer[0], '0');

  analyzerState.buffer.fill(0x77);
  answerer.fileAnswers = {std::nullopt};
  window->Load1->trigger();
  EXPECT_EQ(analyzerState.buffer[0], 0x77);
  EXPECT_EQ(window->OpenDialog1->fileName, file);  // still holds the name

  answerer.fileAnswers = {file};
  window->Save1->trigger();  // SaveDialog1's first use
  answerer.fileAnswers = {std::nullopt};
  analyzerState.buffer.fill(0x11);
  window->Save1->trigger();
  EXPECT_EQ(static_cast<uint8_t>(ReadWholeFile(file)[0]), 0x77);
}

TEST_F(FileCommandsTest, FailuresAreToldWithTheFileName) {
  const std::string missing = path("missing.kvx");
  answerer.fileAnswers = {missing};
  answerer.messageAnswers = {MessageResult::Ok};
  window->Load1->trigger();
  ASSERT_EQ(answerer.messages.size(), 1u);
  EXPECT_NE(answerer.messages[0].text.find("missing.kvx"), std::string::npos);

  // A folder that cannot exist: the parent is a regular file.
  WriteWholeFile(path("plain"), "x");
  answerer.fileAnswers = {path("plain") + "/capture.kvx"};
  answerer.messageAnswers = {MessageResult::Ok};
  window->Save1->trigger();
  ASSERT_EQ(answerer.messages.size(), 2u);
  EXPECT_NE(answerer.messages[1].text.find("capture.kvx"), std::string::npos);
}

TEST_F(FileCommandsTest, ImportClearsTheBufferAndSetsOneMillisecondPerSample) {
  analyzerState.buffer.fill(0x55);
  answerer.fileAnswers = {std::nullopt};
  window->Import1->trigger();  // cancelled at its first use
  EXPECT_EQ(answerer.fileRequests[0].filterIndex, 2);
  EXPECT_EQ(analyzerState.buffer[0], 0);
  EXPECT_EQ(analyzerState.buffer[kCaptureBufferSize - 1], 0);
  EXPECT_DOUBLE_EQ(analyzerState.microsPerRead, 1000.0);

  // (type 2, channel 0, time 1000) and (type 4, channel 0, time 1005)
  const std::string events = path("events.evt");
  const unsigned char records[] = {2, 0, 0, 0xE8, 0x03, 0, 0, 4, 0, 0, 0xED, 0x03, 0, 0};
  WriteWholeFile(events, std::string(reinterpret_cast<const char*>(records), sizeof records));
  answerer.fileAnswers = {events};
  window->Import1->trigger();
  EXPECT_EQ(analyzerState.buffer[0], 1);
  EXPECT_EQ(analyzerState.buffer[4], 1);
  EXPECT_EQ(analyzerState.buffer[5], 0);
}

TEST_F(FileCommandsTest, StatsWritesTheReportInTheCurrentFolder) {
  for (int i = 0; i < 20; ++i) analyzerState.buffer[i] = static_cast<uint8_t>(i & 1);
  analyzerState.mark1 = 2;
  analyzerState.mark2 = 5;
  window->cmdStats->click();
  EXPECT_EQ(ReadWholeFile(path("stat.txt")),
            "Ch[0]: 4 Changes\nCh[1]: 0 Changes\nCh[2]: 0 Changes\nCh[3]: 0 Changes\n"
            "Ch[4]: 0 Changes\nCh[5]: 0 Changes\nCh[6]: 0 Changes\nCh[7]: 0 Changes\n");
}

TEST_F(FileCommandsTest, SettingsPanelAndColours) {
  window->Settings1->trigger();
  EXPECT_TRUE(window->gbSampleSettings->isVisible());
  window->Settings1->trigger();
  EXPECT_TRUE(window->gbSampleSettings->isVisible());

  // The dialog opens on its own last colour, black at first.
  answerer.colourAnswers = {0x0000FFu, std::nullopt};
  QTest::mouseClick(window->pnlForegroundColor, Qt::LeftButton);
  QTest::mouseClick(window->pnlBackgroundColor, Qt::LeftButton);
  EXPECT_EQ(answerer.colourRequests, (std::vector<uint32_t>{0x000000u, 0x0000FFu}));
  EXPECT_EQ(window->pnlForegroundColor->color(), 0x0000FFu);
  EXPECT_EQ(window->pnlBackgroundColor->color(), 0x000000u);

  // OK repaints with the new colours first, then hides the panel.
  window->cmdSampleSettingsOK->click();
  EXPECT_FALSE(window->gbSampleSettings->isVisible());
}

}  // namespace
}  // namespace korvalinx
