#include <QTest>

#include "app/WindowFixture.h"
#include "core/FormatSampleTime.h"

namespace korvalinx {
namespace {

using DisplayCommandsTest = WindowTest;

QString Time(int32_t count) {
  return QString::fromStdString(SampleTimeText(count));
}

TEST_F(DisplayCommandsTest, ZoomInAndOutSetCountStepsAndLength) {
  TMain* w = open();
  struct Step {
    bool in;
    uint32_t count;
    int large, small;
  };
  const Step steps[] = {{true, 50, 50, 1},  {true, 25, 25, 1},  {true, 12, 12, 0},
                        {true, 6, 6, 0},    {true, 6, 6, 0},    {false, 12, 12, 0},
                        {false, 24, 24, 1}, {false, 48, 48, 2}, {false, 96, 96, 4}};
  for (const Step& s : steps) {
    (s.in ? w->cmdZoomIN : w->cmdZoomOUT)->click();
    EXPECT_EQ(analyzerState.visibleCount, s.count);
    EXPECT_EQ(w->scrlDisplay->largeChange(), s.large);
    EXPECT_EQ(w->scrlDisplay->smallChange(), s.small);
    EXPECT_EQ(w->lblNumSamples->text(), Time(static_cast<int32_t>(s.count)));
  }
  // Out to the end: 96 << 13 = 786,432 >= 0x80000 stays.
  for (int i = 0; i < 20; ++i) w->cmdZoomOUT->click();
  EXPECT_EQ(analyzerState.visibleCount, 786432u);
  EXPECT_EQ(w->scrlDisplay->largeChange(), 0x7FFF);
  EXPECT_EQ(w->scrlDisplay->smallChange(), 0x7FFF);
}

TEST_F(DisplayCommandsTest, MouseReleaseSetsMarksAndLabels) {
  TMain* w = open();
  const int W = w->outerWidth();
  const int x = 60 + (W - 81) / 2;  // half way: sample 50 of 100
  const int32_t expected = static_cast<int32_t>(((x - 60) * 100) / (W - 81));
  QWidget* surface = w->centralWidget();

  QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(x, 200));
  EXPECT_EQ(analyzerState.mark1, expected);
  EXPECT_EQ(analyzerState.mark2, -1);
  EXPECT_EQ(w->lblMark1->text(), Time(expected));
  EXPECT_EQ(w->lblMark2->text(), Time(-1));
  EXPECT_EQ(w->lblDelta->text(), Time(-1 - expected));

  QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(W - 30, 500));  // below the plot
  EXPECT_GT(analyzerState.mark2, expected);
  EXPECT_EQ(w->lblDelta->text(), Time(analyzerState.mark2 - expected));

  // The middle button sets no mark but rewrites the labels; at x <= 60
  // nothing changes.
  const int32_t m1 = analyzerState.mark1, m2 = analyzerState.mark2;
  w->lblMark1->setText("x");
  QTest::mouseClick(surface, Qt::MiddleButton, {}, QPoint(x + 40, 200));
  EXPECT_EQ(w->lblMark1->text(), Time(m1));
  w->lblMark1->setText("y");
  QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(60, 200));
  EXPECT_EQ(w->lblMark1->text(), "y");
  // A release over a control is the control's, even where the control
  // ignores it.
  QTest::mouseClick(w->gbDisplay, Qt::LeftButton, {}, QPoint(300, 5));
  QTest::mouseClick(w->lbl1, Qt::LeftButton);
  EXPECT_EQ(analyzerState.mark1, m1);
  EXPECT_EQ(analyzerState.mark2, m2);

  // The marker is drawn in red in the plot.
  const int markerX = 60 + static_cast<int>((int64_t{m1} * (W - 81)) / 100);
  const int R = (w->outerHeight() - 190) / 8;
  const int midRow3 = 2 * R + 10 + R / 2;  // no trace level runs there
  EXPECT_EQ(w->surfaceImage().pixel(markerX, midRow3) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(DisplayCommandsTest, ZoomToMarksFitsTheViewAndIgnoresEqualMarks) {
  TMain* w = open();
  analyzerState.mark1 = 200;
  analyzerState.mark2 = 100;
  w->cmdZoomMarked->click();
  EXPECT_EQ(analyzerState.visibleCount, 119u);
  EXPECT_EQ(w->scrlDisplay->position(), 91);
  EXPECT_EQ(w->scrlDisplay->largeChange(), 119);
  EXPECT_EQ(w->scrlDisplay->smallChange(), 5);
  EXPECT_EQ(w->lblFirst->text(), Time(91));
  EXPECT_EQ(w->lblNumSamples->text(), Time(119));

  analyzerState.mark1 = -1;
  analyzerState.mark2 = 400;
  w->cmdZoomMarked->click();
  EXPECT_EQ(analyzerState.visibleCount, 481u);
  EXPECT_EQ(w->scrlDisplay->position(), 0);  // -41 brought into range

  analyzerState.mark1 = analyzerState.mark2 = 7;
  w->lblFirst->setText("unchanged");
  w->cmdZoomMarked->click();
  EXPECT_EQ(analyzerState.visibleCount, 481u);
  EXPECT_EQ(w->lblFirst->text(), "unchanged");
}

TEST_F(DisplayCommandsTest, ScrollingRedrawsOnThumbTrackOneBehindAndOnEndScroll) {
  TMain* w = open();
  ScrollBar* bar = w->scrlDisplay;
  EXPECT_EQ(bar->max(), 0x100000);
  // Dragging the thumb: each notification shows the position before it.
  bar->setSliderDown(true);
  bar->setSliderPosition(500);
  EXPECT_EQ(w->lblFirst->text(), Time(0));
  EXPECT_EQ(bar->position(), 500);
  bar->setSliderPosition(600);
  EXPECT_EQ(w->lblFirst->text(), Time(500));
  EXPECT_EQ(w->previousFirst, 500);
  bar->setSliderDown(false);

  // An arrow key moves by the small step and redraws only at the end of
  // the scroll action.
  QTest::keyClick(bar, Qt::Key_Right);
  EXPECT_EQ(bar->position(), 601);
  EXPECT_EQ(w->lblFirst->text(), Time(601));
  EXPECT_EQ(w->previousFirst, 601);

  // A small step of 0 leaves the position where it is.
  bar->setSmallChange(0);
  QTest::keyClick(bar, Qt::Key_Right);
  EXPECT_EQ(bar->position(), 601);

  // At the maximum nothing is redrawn and the label stays.
  QTest::keyClick(bar, Qt::Key_End);
  EXPECT_EQ(bar->position(), 0x100000);
  EXPECT_EQ(w->lblFirst->text(), Time(601));
  EXPECT_EQ(w->previousFirst, 601);
}

TEST_F(DisplayCommandsTest, FullRepaintDrawsThePlotAndPlacesTheControls) {
  TMain* w = open();
  w->Repaint();
  const int H = w->outerHeight();
  const int W = w->outerWidth();
  const QImage& img = w->surfaceImage();
  EXPECT_EQ(img.pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);   // border in the frame colour
  EXPECT_EQ(img.pixel(35, 12) & 0xFFFFFF, 0x000000u);   // plot filled black
  EXPECT_EQ(img.pixel(60, 100) & 0xFFFFFF, 0xFFFFFFu);  // left margin line
  EXPECT_EQ(w->gbDisplay->y(), H - 150);
  EXPECT_EQ(w->scrlDisplay->y(), H - 170);
  EXPECT_EQ(w->scrlDisplay->width(), W - 20);
  EXPECT_EQ(w->lblFirst->text(), Time(0));
  EXPECT_EQ(w->lblNumSamples->text(), Time(100));

  // A larger window: the geometry follows the outer size.
  w->resize(900, 700);
  QCoreApplication::processEvents();
  EXPECT_EQ(w->gbDisplay->y(), w->outerHeight() - 150);
  EXPECT_EQ(w->surfaceImage().pixel(w->outerWidth() - 11, 100) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
}  // namespace korvalinx
