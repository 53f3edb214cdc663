#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QImage>
#include <QTest>
#include <vector>

#include "app/DisplaySurface.h"
#include "app/WindowFixture.h"

namespace korvalinx {
namespace {

// Records, for every paint of the drawing surface, whether the settings
// panel was visible at that moment.
class PaintRecorder : public QObject {
 public:
  PaintRecorder(QWidget* surface, QWidget* panel) : panel_(panel) {
    surface->installEventFilter(this);
  }
  std::vector<bool> panelVisible;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) panelVisible.push_back(panel_->isVisible());
    return false;
  }

 private:
  QWidget* panel_;
};

bool Holds(const QImage& image, QColor colour) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x)
      if (line[x] == colour.rgb()) return true;
  }
  return false;
}

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

TEST_F(FileCommandsTest, ImportChangesNothingUntilAFileIsChosenAndOpened) {
  analyzerState.buffer.fill(0x55);
  analyzerState.microsPerRead = 0.5;
  window->lblNumSamples->setText("unchanged");
  answerer.fileAnswers = {std::nullopt};
  window->Import1->trigger();  // cancelled at its first use
  EXPECT_EQ(answerer.fileRequests[0].filterIndex, 2);
  EXPECT_EQ(analyzerState.buffer[0], 0x55);
  EXPECT_EQ(analyzerState.buffer[kCaptureBufferSize - 1], 0x55);
  EXPECT_DOUBLE_EQ(analyzerState.microsPerRead, 0.5);
  EXPECT_EQ(window->lblNumSamples->text(), "unchanged");

  // A chosen file that cannot be read as one keeps the capture as well.
  answerer.fileAnswers = {folder.path().toStdString()};
  answerer.messageAnswers = {MessageResult::Ok};
  window->Import1->trigger();
  ASSERT_EQ(answerer.messages.size(), 1u);
  EXPECT_EQ(analyzerState.buffer[0], 0x55);
  EXPECT_DOUBLE_EQ(analyzerState.microsPerRead, 0.5);

  // A chosen file: cleared, read, one millisecond per read, repainted.
  // (type 2, channel 0, time 1000) and (type 4, channel 0, time 1005)
  const std::string events = path("events.evt");
  const unsigned char records[] = {2, 0, 0, 0xE8, 0x03, 0, 0, 4, 0, 0, 0xED, 0x03, 0, 0};
  WriteWholeFile(events, std::string(reinterpret_cast<const char*>(records), sizeof records));
  answerer.fileAnswers = {events};
  window->Import1->trigger();
  EXPECT_EQ(analyzerState.buffer[0], 1);
  EXPECT_EQ(analyzerState.buffer[4], 1);
  EXPECT_EQ(analyzerState.buffer[5], 0);
  EXPECT_EQ(analyzerState.buffer[kCaptureBufferSize - 1], 0);
  EXPECT_DOUBLE_EQ(analyzerState.microsPerRead, 1000.0);
  EXPECT_EQ(window->lblNumSamples->text(), "100.00 ms");  // 100 samples at divisor 0
  EXPECT_EQ(answerer.messages.size(), 1u);
}

TEST_F(FileCommandsTest, SaveReplacesAnExistingFileWithoutAsking) {
  QFileDialog save;
  window->SaveDialog1->prepare(save);
  EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
  EXPECT_TRUE(save.testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(save.nameFilters(), QStringList{"Korvalinx files (*.kvx)"});
  EXPECT_EQ(save.defaultSuffix(), "kvx");

  QFileDialog open;
  window->OpenDialog1->prepare(open);
  EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);

  const std::string file = path("old.kvx");
  WriteWholeFile(file, "an older capture");
  analyzerState.buffer.fill(0x42);
  answerer.fileAnswers = {file};
  window->Save1->trigger();
  EXPECT_EQ(ReadWholeFile(file), std::string(kCaptureBufferSize, '\x42'));
  EXPECT_TRUE(answerer.messages.empty());
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
  const QImage before = window->surfaceImage();
  PaintRecorder paints(window->findChild<DisplaySurface*>(), window->gbSampleSettings);
  window->cmdSampleSettingsOK->click();
  EXPECT_FALSE(window->gbSampleSettings->isVisible());
  ASSERT_FALSE(paints.panelVisible.empty()) << "no repaint";
  EXPECT_TRUE(paints.panelVisible.front()) << "hidden before the repaint";
  EXPECT_FALSE(Holds(before, Qt::red));
  EXPECT_TRUE(Holds(before, Qt::green));  // lime, the colour before
  EXPECT_TRUE(Holds(window->surfaceImage(), Qt::red));
  EXPECT_FALSE(Holds(window->surfaceImage(), Qt::green));
}

}  // namespace
}  // namespace korvalinx
