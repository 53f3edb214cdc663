// The window from the keyboard: the scroll bar has the focus at start, Tab
// walks the tab stops in their order, the keys move the view, and the menu
// bar opens with F10 or Alt and runs every entry.

#include <QApplication>
#include <QTest>

#include "app/WindowFixture.h"
#include "core/FormatSampleTime.h"

namespace korvalinx {
namespace {

class KeyboardTest : public WindowTest {
 protected:
  TMain* openActive() {
    TMain* w = open();
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    return w;
  }
  static QWidget* focused() { return QApplication::focusWidget(); }
  static void press(Qt::Key key) {
    ASSERT_NE(focused(), nullptr);
    QTest::keyClick(focused(), key);
  }
};

QString Time(int32_t count) {
  return QString::fromStdString(SampleTimeText(count));
}

TEST_F(KeyboardTest, TheScrollBarHasTheFocusAndTabWalksTheStopsInOrder) {
  TMain* w = openActive();
  EXPECT_EQ(focused(), w->scrlDisplay);

  const std::vector<QWidget*> hidden{w->cmdZoomIN,  w->cmdZoomOUT,         w->cmdSample,
                                     w->cmdStats,   w->chkContinousSample, w->cmdZoomMarked,
                                     w->scrlDisplay};
  for (QWidget* next : hidden) {
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), next) << next->objectName().toStdString();
  }
  // With the settings panel shown its fields follow the display group's
  // buttons; the disabled granularity field is no stop.
  w->Settings1->trigger();
  const std::vector<QWidget*> shown{w->cmdZoomIN,
                                    w->cmdZoomOUT,
                                    w->cmdSample,
                                    w->cmdStats,
                                    w->chkContinousSample,
                                    w->cmdZoomMarked,
                                    w->txtDelay,
                                    w->txtRate,
                                    w->txtChannel,
                                    w->txtInputPort,
                                    w->cmdSampleSettingsOK,
                                    w->pnlForegroundColor,
                                    w->pnlBackgroundColor,
                                    w->txtSamplesize,
                                    w->scrlDisplay};
  for (QWidget* next : shown) {
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), next) << next->objectName().toStdString();
  }
  press(Qt::Key_Backtab);
  EXPECT_EQ(focused(), w->txtSamplesize);
}

TEST_F(KeyboardTest, KeysOnTheFocusedScrollBarMoveTheViewAndStart) {
  TMain* w = openActive();
  ASSERT_EQ(focused(), w->scrlDisplay);
  w->cmdZoomOUT->click();  // 200 samples: SmallChange 10, LargeChange 200
  w->cmdZoomOUT->click();  // 400: 20, 400
  ASSERT_EQ(focused(), w->scrlDisplay);
  struct Case {
    Qt::Key key;
    int position;
  };
  const Case cases[] = {{Qt::Key_Right, 20},     {Qt::Key_Down, 40}, {Qt::Key_PageDown, 440},
                        {Qt::Key_Left, 420},     {Qt::Key_Up, 400},  {Qt::Key_PageUp, 0},
                        {Qt::Key_PageDown, 400}, {Qt::Key_Home, 0}};
  for (const Case& c : cases) {
    press(c.key);
    EXPECT_EQ(w->scrlDisplay->position(), c.position) << QTest::toString(c.key);
    EXPECT_EQ(w->lblFirst->text(), Time(c.position)) << QTest::toString(c.key);
    EXPECT_EQ(w->previousFirst, c.position) << "redrawn at the end of the scroll";
  }
  // End moves to the maximum, where the picture and Start stay.
  press(Qt::Key_PageDown);
  press(Qt::Key_End);
  EXPECT_EQ(w->scrlDisplay->position(), 0x100000);
  EXPECT_EQ(w->lblFirst->text(), Time(400));
  EXPECT_EQ(w->previousFirst, 400);
}

}  // namespace
}  // namespace korvalinx
