// The scroll bar reports each scroll action by mouse, key or wheel as the
// window's handler expects: the codes in order, each with the position it
// is about to take while the old one is still stored, and an end of scroll
// last. It offers no context menu.

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "platform/ScrollBar.h"

namespace korvalinx {
namespace {

struct Report {
  int code;
  int newPosition;
  int storedPosition;  // the position the bar held when it reported
  bool operator==(const Report&) const = default;
};

void PrintTo(const Report& r, std::ostream* os) {
  *os << "{" << r.code << ", " << r.newPosition << ", " << r.storedPosition << "}";
}

class ScrollBarTest : public ::testing::Test {
 public:  // the cases' actions reach the bar through the fixture
  void SetUp() override {
    bar.setGeometry(0, 0, 600, 17);
    bar.setMax(1000);
    bar.setSmallChange(5);
    bar.setLargeChange(100);
    bar.setPosition(500);
    bar.setOnScroll([this](int code, int newPosition) {
      reports.push_back({code, newPosition, bar.position()});
    });
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
  }
  QPoint centreOf(QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = Qt::Horizontal;
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = false;
    option.subControls = QStyle::SC_All;
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar).center();
  }

  ScrollBar bar;
  std::vector<Report> reports;
};

TEST_F(ScrollBarTest, MouseAndKeysReportCodeAndNewPositionBeforeStoringIt) {
  struct Case {
    const char* what;
    std::function<void(ScrollBarTest&)> act;
    std::vector<Report> expected;
  };
  const Case cases[] = {
      {"right arrow",
       [](ScrollBarTest& t) {
         QTest::mouseClick(&t.bar, Qt::LeftButton, {}, t.centreOf(QStyle::SC_ScrollBarAddLine));
       },
       {{kScrollLineDown, 505, 500}, {kScrollEndScroll, 505, 505}}},
      {"left arrow",
       [](ScrollBarTest& t) {
         QTest::mouseClick(&t.bar, Qt::LeftButton, {}, t.centreOf(QStyle::SC_ScrollBarSubLine));
       },
       {{kScrollLineUp, 495, 500}, {kScrollEndScroll, 495, 495}}},
      {"track right of the thumb",
       [](ScrollBarTest& t) {
         const QPoint thumb = t.centreOf(QStyle::SC_ScrollBarSlider);
         QTest::mouseClick(&t.bar, Qt::LeftButton, {}, thumb + QPoint(60, 0));
       },
       {{kScrollPageDown, 600, 500}, {kScrollEndScroll, 600, 600}}},
      {"track left of the thumb",
       [](ScrollBarTest& t) {
         const QPoint thumb = t.centreOf(QStyle::SC_ScrollBarSlider);
         QTest::mouseClick(&t.bar, Qt::LeftButton, {}, thumb - QPoint(60, 0));
       },
       {{kScrollPageUp, 400, 500}, {kScrollEndScroll, 400, 400}}},
      {"Right",
       [](ScrollBarTest& t) { QTest::keyClick(&t.bar, Qt::Key_Right); },
       {{kScrollLineDown, 505, 500}, {kScrollEndScroll, 505, 505}}},
      {"Down",
       [](ScrollBarTest& t) { QTest::keyClick(&t.bar, Qt::Key_Down); },
       {{kScrollLineDown, 505, 500}, {kScrollEndScroll, 505, 505}}},
      {"Left",
       [](ScrollBarTest& t) { QTest::keyClick(&t.bar, Qt::Key_Left); },
       {{kScrollLineUp, 495, 500}, {kScrollEndScroll, 495, 495}}},
      {"Up",
       [](ScrollBarTest& t) { QTest::keyClick(&t.bar, Qt::Key_Up); },
       {{kScrollLineUp, 495, 500}, {kScrollEndScroll, 495, 495}}},
      {"PageDown",
       [](ScrollBarTest& t) { QTest::keyClick(&t.bar, Qt::Key_PageDown); },
       {{kScrollPageDown, 600, 500}, {kScrollEndScroll, 600, 600}}},
      {"PageUp",
       [](ScrollBarTest& t) { QTest::keyClick(&t.bar, Qt::Key_PageUp); },
       {{kScrollPageUp, 400, 500}, {kScrollEndScroll, 400, 400}}},
      {"Home",
       [](ScrollBarTest& t) { QTest::keyClick(&t.bar, Qt::Key_Home); },
       {{kScrollTop, 0, 500}, {kScrollEndScroll, 0, 0}}},
      {"End",
       [](ScrollBarTest& t) { QTest::keyClick(&t.bar, Qt::Key_End); },
       {{kScrollBottom, 1000, 500}, {kScrollEndScroll, 1000, 1000}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bar.setPosition(500);
    reports.clear();
    c.act(*this);
    EXPECT_EQ(reports, c.expected);
  }
  // A held key repeats its step; only its release ends the scroll.
  bar.setPosition(500);
  reports.clear();
  QTest::keyPress(&bar, Qt::Key_Right);
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(&bar, &repeat);
  QTest::keyRelease(&bar, Qt::Key_Right);
  const std::vector<Report> held{
      {kScrollLineDown, 505, 500}, {kScrollLineDown, 510, 505}, {kScrollEndScroll, 510, 510}};
  EXPECT_EQ(reports, held);
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksThenReportsItsPositionAndTheEnd) {
  const QPoint thumb = centreOf(QStyle::SC_ScrollBarSlider);
  QTest::mousePress(&bar, Qt::LeftButton, {}, thumb);
  QTest::mouseMove(&bar, thumb + QPoint(40, 0));
  QTest::mouseRelease(&bar, Qt::LeftButton, {}, thumb + QPoint(40, 0));
  ASSERT_GE(reports.size(), 3u);
  const int dropped = bar.position();
  EXPECT_GT(dropped, 500);
  for (size_t i = 0; i + 2 < reports.size(); ++i) {
    EXPECT_EQ(reports[i].code, kScrollThumbTrack);
    EXPECT_EQ(reports[i].storedPosition, i == 0 ? 500 : reports[i - 1].newPosition);
  }
  const std::vector<Report> last{{kScrollThumbPosition, dropped, dropped},
                                 {kScrollEndScroll, dropped, dropped}};
  EXPECT_EQ(std::vector<Report>(reports.end() - 2, reports.end()), last);
}

TEST_F(ScrollBarTest, TheWheelEndsItsScrollToo) {
  QWheelEvent wheel(QPointF(300, 8), bar.mapToGlobal(QPointF(300, 8)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&bar, &wheel);
  ASSERT_GE(reports.size(), 2u);
  EXPECT_NE(bar.position(), 500);
  EXPECT_EQ(reports.back(), (Report{kScrollEndScroll, bar.position(), bar.position()}));
}

TEST_F(ScrollBarTest, ASmallStepOfZeroLeavesThePositionAndProgramChangesReportNothing) {
  bar.setSmallChange(0);
  QTest::keyClick(&bar, Qt::Key_Right);
  const std::vector<Report> stay{{kScrollLineDown, 500, 500}, {kScrollEndScroll, 500, 500}};
  EXPECT_EQ(reports, stay);
  reports.clear();
  bar.setPosition(700);
  bar.setPosition(5000);  // brought into 0..Max
  EXPECT_EQ(bar.position(), 1000);
  EXPECT_TRUE(reports.empty());
}

TEST_F(ScrollBarTest, NoContextMenuAndARightClickScrollsNothing) {
  bool menuShown = false;
  // A menu would run modally; close it and note it.
  QTimer::singleShot(0, [&] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      menuShown = true;
      popup->close();
    }
  });
  QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(300, 8), bar.mapToGlobal(QPoint(300, 8)));
  QApplication::sendEvent(&bar, &menu);
  QTest::mouseClick(&bar, Qt::RightButton, {}, QPoint(300, 8));
  QCoreApplication::processEvents();
  EXPECT_FALSE(menuShown);
  EXPECT_EQ(bar.position(), 500);
  EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace korvalinx
