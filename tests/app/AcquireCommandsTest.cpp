#include <QTest>

#include "app/WindowFixture.h"

namespace korvalinx {
namespace {

const char* const kSampleWarning =
    "Please read the help on Sampling in the absense of a suitable triggering signal";
const char* const kContinuousWarning =
    "Please read the help on continious sampling in the absense of a suitable triggering signal";
const char* const kWarningCaption = "Warning, your computer may get unresponsive";

class AcquireCommandsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    analyzerState.microsPerRead = 0.0;  // the edge wait makes one comparison
  }
};

TEST_F(AcquireCommandsTest, SampleAsksOnceThenCapturesWithTheFieldsAndRepaints) {
  TMain* w = open();
  w->txtDelay->setText("0");
  w->txtSamplesize->setText("5");
  w->txtRate->setText("2");
  scripted::Reset();
  scripted::SetScript([](uint64_t i, uint16_t) { return static_cast<uint8_t>(i); });

  answerer.messageAnswers = {MessageResult::Cancel};
  w->cmdSample->click();
  ASSERT_EQ(answerer.messages.size(), 1u);
  EXPECT_EQ(answerer.messages[0].text, kSampleWarning);
  EXPECT_EQ(answerer.messages[0].caption, kWarningCaption);
  EXPECT_EQ(answerer.messages[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(scripted::ReadCount(), 0u);
  EXPECT_NE(analyzerState.firstUseWarning, 0);

  answerer.messageAnswers = {MessageResult::Ok};
  w->cmdSample->click();
  EXPECT_EQ(analyzerState.firstUseWarning, 0);
  // quiet reference, edge reference, one comparison, then 5 x (1 + 2) reads
  // and the live input boxes of the repaint
  EXPECT_EQ(scripted::ReadCount(), 3u + 15u + 1u);
  EXPECT_EQ(analyzerState.buffer[0], 3);
  EXPECT_EQ(analyzerState.buffer[4], 15);
  EXPECT_EQ(analyzerState.divisor, 2u);
  EXPECT_EQ(w->cmdSample->text(), "Sample");
  EXPECT_TRUE(w->cmdSample->isEnabled());

  // No more questions for the rest of the run.
  w->cmdSample->click();
  EXPECT_EQ(answerer.messages.size(), 2u);
}

TEST_F(AcquireCommandsTest, SampleDoesNothingWhileContinuousIsTicked) {
  TMain* w = open();
  analyzerState.firstUseWarning = 0;
  w->chkContinousSample->setChecked(true);
  analyzerState.buffer[0] = 0xAB;
  scripted::Reset();
  scripted::SetValues({0x11});
  w->cmdSample->click();
  EXPECT_EQ(scripted::ReadCount(), 0u);
  EXPECT_EQ(analyzerState.buffer[0], 0xAB);
}

TEST_F(AcquireCommandsTest, ContinuousTickCapturesOnlyWhenTickedAndAlwaysShowsTheInputs) {
  TMain* w = open();
  analyzerState.firstUseWarning = 0;
  w->txtDelay->setText("0");
  w->txtSamplesize->setText("3");
  scripted::Reset();
  scripted::SetValues({0x05});

  w->tmrContinousSample->fire();
  EXPECT_EQ(scripted::ReadCount(), 1u);  // the input boxes' one read
  EXPECT_EQ(analyzerState.buffer[0], 0);

  w->chkContinousSample->setChecked(true);
  ASSERT_TRUE(w->tmrContinousSample->enabled());
  scripted::Reset();
  bool offDuringCapture = true;
  scripted::SetScript([&](uint64_t i, uint16_t) -> uint8_t {
    if (i < 6) offDuringCapture = offDuringCapture && !w->tmrContinousSample->enabled();
    return 0x05;
  });
  w->tmrContinousSample->fire();
  EXPECT_TRUE(offDuringCapture) << "the timer must be off while its capture runs";
  EXPECT_TRUE(w->tmrContinousSample->enabled());
  EXPECT_EQ(analyzerState.buffer[2], 0x05);
  // The input box of channel 1 shows white for the high line 0.
  const int R = (w->outerHeight() - 190) / 8;
  EXPECT_EQ(w->surfaceImage().pixel(45, R - 5) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(w->surfaceImage().pixel(45, 2 * R - 5) & 0xFFFFFF, 0x000000u);
}

TEST_F(AcquireCommandsTest, ContinuousBoxWarnsWhileTheFlagIsSetAndCancelUndoesTheClick) {
  TMain* w = open();
  answerer.messageAnswers = {MessageResult::Cancel};
  QTest::mouseClick(w->chkContinousSample, Qt::LeftButton, {}, QPoint(5, 8));
  ASSERT_EQ(answerer.messages.size(), 1u);
  EXPECT_EQ(answerer.messages[0].text, kContinuousWarning);
  EXPECT_EQ(answerer.messages[0].caption, kWarningCaption);
  EXPECT_FALSE(w->chkContinousSample->isChecked());
  EXPECT_NE(analyzerState.firstUseWarning, 0);

  answerer.messageAnswers = {MessageResult::Ok};
  QTest::mouseClick(w->chkContinousSample, Qt::LeftButton, {}, QPoint(5, 8));
  EXPECT_TRUE(w->chkContinousSample->isChecked());
  EXPECT_EQ(analyzerState.firstUseWarning, 0);
  // The flag is shared: Sample no longer asks either, and unticking is quiet.
  QTest::mouseClick(w->chkContinousSample, Qt::LeftButton, {}, QPoint(5, 8));
  EXPECT_FALSE(w->chkContinousSample->isChecked());
  EXPECT_EQ(answerer.messages.size(), 2u);
}

int64_t fakeTime = 0;
int64_t FakeCalibrationClock() {
  const int64_t t = fakeTime;
  fakeTime += 666600000;  // a million reads in 0.6666 s
  return t;
}

TEST_F(AcquireCommandsTest, CalibrationTickSetsTheTimeBaseAndHidesTheSplash) {
  calibrationClock = &FakeCalibrationClock;
  TMain* w = open();
  EXPECT_TRUE(w->tmrAuthor->enabled());
  struct Case {
    const char* divisor;
    const char* granularity;
  };
  for (const Case& c : {Case{"0", "0.67 us"}, Case{"1", "1.33 us"}, Case{"10", "7.33 us"}}) {
    w->txtRate->setText(c.divisor);
    w->About1->trigger();  // shows the splash and starts the countdown afresh
    EXPECT_TRUE(w->pnlAuthor->isVisible());
    EXPECT_TRUE(w->tmrAuthor->enabled());
    scripted::Reset();
    w->tmrAuthor->fire();
    EXPECT_EQ(scripted::ReadCount(), 1000000u);
    EXPECT_DOUBLE_EQ(analyzerState.microsPerRead, 0.6666);
    EXPECT_EQ(w->txtGranularity->text(), c.granularity);
    EXPECT_FALSE(w->pnlAuthor->isVisible());
    EXPECT_FALSE(w->tmrAuthor->enabled());  // one tick per enabling
  }
}

TEST_F(AcquireCommandsTest, ClickingTheSplashHidesItAndTheTickStillCalibrates) {
  calibrationClock = &FakeCalibrationClock;
  TMain* w = open();
  QTest::mouseClick(w->imgAuthor, Qt::LeftButton);
  EXPECT_FALSE(w->pnlAuthor->isVisible());
  EXPECT_TRUE(w->tmrAuthor->enabled());
  w->tmrAuthor->fire();
  EXPECT_DOUBLE_EQ(analyzerState.microsPerRead, 0.6666);

  // The icon brings the splash back and restarts the countdown.
  QTest::mouseClick(w->imgIcon, Qt::LeftButton);
  EXPECT_TRUE(w->pnlAuthor->isVisible());
  EXPECT_TRUE(w->tmrAuthor->enabled());
}

TEST_F(AcquireCommandsTest, FieldsFeedDivisorAndPortBaseAsTheyAreTyped) {
  TMain* w = open();
  w->txtInputPort->selectAll();
  QTest::keyClicks(w->txtInputPort, "278");
  EXPECT_EQ(analyzerState.portBase, 0x278);
  w->txtInputPort->clear();
  EXPECT_EQ(analyzerState.portBase, 0x278);
  w->txtRate->setText("-1");
  EXPECT_EQ(analyzerState.divisor, 4294967295u);
}

}  // namespace
}  // namespace korvalinx
