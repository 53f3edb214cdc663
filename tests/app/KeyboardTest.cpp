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

TEST_F(KeyboardTest, TheMenuKeyAndAltReachTheBarAndEveryEntryRuns) {
  TMain* w = openActive();
  w->pnlAuthor->setVisible(false);
  for (Qt::Key menuKey : {Qt::Key_F10, Qt::Key_Alt}) {
    // Settings, a command on the bar itself, runs with Return, Space or Down.
    for (Qt::Key runKey : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Down}) {
      SCOPED_TRACE(QTest::toString(menuKey) + std::string(" then ") + QTest::toString(runKey));
      w->gbSampleSettings->setVisible(false);
      press(menuKey);
      EXPECT_EQ(focused(), w->MainMenu1);
      EXPECT_EQ(w->MainMenu1->activeAction(), w->File1->menuAction());
      press(Qt::Key_Right);
      EXPECT_EQ(w->MainMenu1->activeAction(), w->Settings1);
      press(runKey);
      EXPECT_TRUE(w->gbSampleSettings->isVisible());
      EXPECT_EQ(focused(), w->scrlDisplay) << "the keys go back where they were";
      EXPECT_EQ(w->MainMenu1->activeAction(), nullptr);
    }
  }
  // The entries with a list open it and run its items: File, Import asks
  // for a file; Help, About shows the splash.
  press(Qt::Key_F10);
  press(Qt::Key_Down);
  ASSERT_TRUE(w->File1->isVisible());
  answerer.fileAnswers.push_back(std::nullopt);
  QTest::keyClick(w->File1, Qt::Key_Down);
  QTest::keyClick(w->File1, Qt::Key_Return);
  EXPECT_EQ(answerer.fileRequests.size(), 1u);
  press(Qt::Key_F10);
  press(Qt::Key_Left);
  EXPECT_EQ(w->MainMenu1->activeAction(), w->Help1->menuAction());
  press(Qt::Key_Down);
  ASSERT_TRUE(w->Help1->isVisible());
  QTest::keyClick(w->Help1, Qt::Key_Return);
  EXPECT_TRUE(w->pnlAuthor->isVisible());
}

TEST_F(KeyboardTest, SettingsReachedFromAnOpenListRunsFromTheKeyboard) {
  TMain* w = openActive();
  // File opened with the mouse, then Right from its list.
  const QRect file = w->MainMenu1->actionGeometry(w->File1->menuAction());
  QTest::mouseClick(w->MainMenu1, Qt::LeftButton, {}, file.center());
  ASSERT_TRUE(w->File1->isVisible());
  QTest::keyClick(w->File1, Qt::Key_Right);
  EXPECT_FALSE(w->File1->isVisible());
  EXPECT_EQ(w->MainMenu1->activeAction(), w->Settings1);
  press(Qt::Key_Return);
  EXPECT_TRUE(w->gbSampleSettings->isVisible());
  EXPECT_EQ(focused(), w->scrlDisplay);
}

TEST_F(KeyboardTest, EscapeBetweenContinuousCapturesUnticksTheBoxFromAnyStop) {
  TMain* w = openActive();
  analyzerState.firstUseWarning = 0;  // the box unticks without a question
  int clicks = 0;
  const auto handler = w->chkContinousSample->onClick();
  w->chkContinousSample->setOnClick([&clicks, handler] {
    ++clicks;
    handler();
  });
  w->Settings1->trigger();
  for (QWidget* stop : {static_cast<QWidget*>(w->scrlDisplay), static_cast<QWidget*>(w->cmdSample),
                        static_cast<QWidget*>(w->txtDelay)}) {
    SCOPED_TRACE(stop->objectName().toStdString());
    w->chkContinousSample->setChecked(true);
    const int before = clicks;
    stop->setFocus();
    ASSERT_EQ(focused(), stop);
    press(Qt::Key_Escape);
    EXPECT_FALSE(w->chkContinousSample->isChecked());
    EXPECT_EQ(clicks, before + 1);  // through the box's click handler
  }
  // Without continuous sampling Escape changes nothing.
  press(Qt::Key_Escape);
  EXPECT_FALSE(w->chkContinousSample->isChecked());
}

}  // namespace
}  // namespace korvalinx
