// The time labels follow the time base: after a calibration or an import,
// Start, Length and (once a release has written them) the marks read the
// new base.

#include <QTest>

#include "app/WindowFixture.h"
#include "core/FormatSampleTime.h"

namespace korvalinx {
namespace {

using TimeBaseLabelsTest = WindowTest;

QString Time(int32_t count) {
  return QString::fromStdString(SampleTimeText(count));
}

int64_t slowTime = 0;
int64_t SlowCalibrationClock() {
  const int64_t t = slowTime;
  slowTime += 1500000000;  // a million reads in 1.5 s: 1.5 us per read
  return t;
}

TEST_F(TimeBaseLabelsTest, ATickBetweenTheSplashClosingAndItsPaintStillLeavesTheNewBase) {
  calibrationClock = &SlowCalibrationClock;
  TMain* w = open();
  w->activateWindow();
  ASSERT_EQ(w->lblNumSamples->text(), "66.66 us");
  // The calibration hides the splash; the paint that uncovers the plot is
  // still pending when the next 100 ms tick draws the live input boxes.
  w->tmrAuthor->fire();
  ASSERT_DOUBLE_EQ(analyzerState.microsPerRead, 1.5);
  w->tmrContinousSample->fire();
  QCoreApplication::processEvents();
  EXPECT_EQ(w->lblNumSamples->text(), "150.00 us");
  EXPECT_EQ(w->lblFirst->text(), Time(0));
}

TEST_F(TimeBaseLabelsTest, MarksFollowTheBaseOnceAReleaseHasWrittenThem) {
  calibrationClock = &SlowCalibrationClock;
  TMain* w = open();
  QWidget* surface = w->centralWidget();
  // Until a release has set them, the three labels keep "0". An import sets
  // one millisecond per read once a file is chosen (an empty one will do).
  const std::string events = path("empty.evt");
  WriteWholeFile(events, "");
  answerer.fileAnswers.push_back(events);
  w->Import1->trigger();
  EXPECT_EQ(w->lblMark1->text(), "0");
  EXPECT_EQ(w->lblDelta->text(), "0");

  analyzerState.microsPerRead = 0.6666;
  const int x = 60 + (w->outerWidth() - 81) / 2;
  QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(x, 200));
  QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(x + 100, 200));
  const int32_t m1 = analyzerState.mark1, m2 = analyzerState.mark2;
  ASSERT_LT(m1, m2);
  const auto expectMarks = [&](const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(w->lblMark1->text(), Time(m1));
    EXPECT_EQ(w->lblMark2->text(), Time(m2));
    EXPECT_EQ(w->lblDelta->text(), Time(m2 - m1));
  };
  const QString before = w->lblDelta->text();

  // An import: one millisecond per sample.
  answerer.fileAnswers.push_back(events);
  w->Import1->trigger();
  QCoreApplication::processEvents();
  ASSERT_DOUBLE_EQ(analyzerState.microsPerRead, 1000.0);
  EXPECT_NE(w->lblDelta->text(), before);
  expectMarks("after an import");

  // A calibration behind the splash, and one whose splash was already
  // closed by a click: nothing uncovers the plot then.
  w->About1->trigger();
  w->tmrAuthor->fire();
  QCoreApplication::processEvents();
  ASSERT_DOUBLE_EQ(analyzerState.microsPerRead, 1.5);
  expectMarks("after a calibration");
  analyzerState.microsPerRead = 0.6666;
  w->About1->trigger();
  QTest::mouseClick(w->imgAuthor, Qt::LeftButton);
  w->tmrAuthor->fire();
  QCoreApplication::processEvents();
  ASSERT_DOUBLE_EQ(analyzerState.microsPerRead, 1.5);
  expectMarks("after a calibration behind a closed splash");
  EXPECT_EQ(w->lblNumSamples->text(), "150.00 us");
}

}  // namespace
}  // namespace korvalinx
