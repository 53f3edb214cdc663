// A capture runs off the window's thread: the window paints, answers Escape
// and its close request, and holds every other input and tick until the
// capture's handler has returned. The scripted port's script runs on the
// capture's thread; what it asks of the window it posts to the window's
// thread, as the user's input would arrive.

#include <QFile>
#include <QTest>
#include <QWindow>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "acquire/CaptureStop.h"
#include "app/DisplaySurface.h"
#include "app/WindowFixture.h"
#include "platform/InputHold.h"

namespace korvalinx {
namespace {

using Clock = std::chrono::steady_clock;

const char* const kContinuousWarning =
    "Please read the help on continious sampling in the absense of a suitable triggering signal";

// Runs `action` on the window's thread, queued behind what is there.
template <typename Action>
void PostToWindow(Action action) {
  QMetaObject::invokeMethod(qApp, action, Qt::QueuedConnection);
}

// Waits on the capture's thread, for at most ten seconds, until `done`.
template <typename Done>
bool WaitUntil(Done done) {
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

class CaptureOffThreadTest : public WindowTest {
 protected:
  // A capture whose edge never comes: the edge wait's limit is about
  // 2,147,000,000 reads, seconds of the scripted port.
  TMain* openForAnEndlessCapture() {
    TMain* w = open();
    analyzerState.firstUseWarning = 0;
    analyzerState.microsPerRead = 429.4;
    w->txtDelay->setText("0");
    w->txtSamplesize->setText("1000");
    analyzerState.buffer.fill(0xAA);
    scripted::Reset();
    return w;
  }
  static constexpr uint64_t kEdgeWaitLimit = 2147000000;
};

TEST_F(CaptureOffThreadTest, EscapeAndACloseRequestStopACaptureWhoseTriggerNeverComes) {
  struct Request {
    const char* what;
    void (*send)(TMain*);
    bool closes;
  };
  const Request requests[] = {
      {"Escape to the window", [](TMain* w) { QTest::keyClick(w, Qt::Key_Escape); }, false},
      {"Escape through the window system",
       [](TMain* w) { QTest::keyClick(w->windowHandle(), Qt::Key_Escape); }, false},
      {"close()", [](TMain* w) { w->close(); }, true},
      {"the window manager's close", [](TMain* w) { w->windowHandle()->close(); }, true},
  };
  for (const Request& r : requests) {
    SCOPED_TRACE(r.what);
    delete window;
    window = nullptr;
    QFile::remove(QString::fromStdString(settingsPath));
    TMain* w = openForAnEndlessCapture();
    std::atomic<int64_t> askedAt{0};
    scripted::SetScript([&](uint64_t i, uint16_t) -> uint8_t {
      if (i == 1000) {
        askedAt = Clock::now().time_since_epoch().count();
        PostToWindow([w, &r] { r.send(w); });
      }
      return 0;
    });
    w->cmdSample->click();
    const double seconds = std::chrono::duration<double>(Clock::now().time_since_epoch() -
                                                         Clock::duration(askedAt.load()))
                               .count();
    EXPECT_LT(seconds, 10.0);
    EXPECT_LT(scripted::ReadCount(), kEdgeWaitLimit / 2) << "stopped, not run out";
    EXPECT_EQ(analyzerState.buffer[0], 0xAA);
    EXPECT_EQ(w->cmdSample->text(), "Sample");
    EXPECT_TRUE(w->cmdSample->isEnabled());
    // A close waits until the Sample handler (its repaint included) has
    // returned; then the close sequence runs as always.
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(settingsPath)));
    QCoreApplication::processEvents();
    EXPECT_EQ(w->isVisible(), !r.closes);
    EXPECT_EQ(QFile::exists(QString::fromStdString(settingsPath)), r.closes);
  }
}

TEST_F(CaptureOffThreadTest, ACaptureStoppedMidwayKeepsTheSamplesStoredSoFar) {
  TMain* w = open();
  analyzerState.firstUseWarning = 0;
  analyzerState.microsPerRead = 0.0;  // one edge comparison
  w->txtDelay->setText("0");
  w->txtSamplesize->setText("1000000");
  analyzerState.buffer.fill(0xAA);
  scripted::Reset();
  bool stopSeen = false;
  // Values below 100 never equal 0xAA; bit 0 changes at every read, so the
  // edge comes at the first comparison and sample j is read 3 + j.
  scripted::SetScript([&](uint64_t i, uint16_t) -> uint8_t {
    if (i == 100000) {
      PostToWindow([w] { QTest::keyClick(w, Qt::Key_Escape); });
      stopSeen = WaitUntil([] { return CaptureStopRequested(); });
    }
    return static_cast<uint8_t>(i % 100);
  });
  w->cmdSample->click();
  ASSERT_TRUE(stopSeen);
  int32_t stored = 0;
  while (stored < kCaptureBufferSize && analyzerState.buffer[stored] != 0xAA) ++stored;
  EXPECT_GT(stored, 100000 - 3);
  EXPECT_LT(stored, 1000000);
  for (int32_t j = 0; j < stored; ++j) ASSERT_EQ(analyzerState.buffer[j], (3 + j) % 100) << j;
  for (int32_t j = stored; j < kCaptureBufferSize; ++j) ASSERT_EQ(analyzerState.buffer[j], 0xAA);
  EXPECT_EQ(w->cmdSample->text(), "Sample");
  EXPECT_TRUE(w->cmdSample->isEnabled());
}

TEST_F(CaptureOffThreadTest, EscapeDuringAContinuousCaptureUnticksTheBoxThroughItsClick) {
  TMain* w = openForAnEndlessCapture();
  // Ticked as if restored from the settings, the first-use flag still set:
  // the untick then asks its question, which shows that the box's own click
  // handler ran.
  analyzerState.firstUseWarning = 1;
  const auto handler = w->chkContinousSample->onClick();
  w->chkContinousSample->setOnClick(nullptr);
  w->chkContinousSample->setChecked(true);
  w->chkContinousSample->setOnClick(handler);
  scripted::SetScript([w](uint64_t i, uint16_t) -> uint8_t {
    if (i == 1000) PostToWindow([w] { QTest::keyClick(w, Qt::Key_Escape); });
    return 0;
  });
  answerer.messageAnswers = {MessageResult::Ok};

  w->tmrContinousSample->fire();
  EXPECT_LT(scripted::ReadCount(), kEdgeWaitLimit / 2);
  EXPECT_TRUE(w->tmrContinousSample->enabled());
  EXPECT_TRUE(answerer.messages.empty()) << "no question in the middle of the tick";
  QCoreApplication::processEvents();
  EXPECT_FALSE(w->chkContinousSample->isChecked());
  ASSERT_EQ(answerer.messages.size(), 1u);
  EXPECT_EQ(answerer.messages[0].text, kContinuousWarning);
  EXPECT_EQ(w->cmdSample->text(), "Sample");
  EXPECT_TRUE(w->cmdSample->isEnabled());
}

TEST_F(CaptureOffThreadTest, InputAndTicksDuringACaptureWaitAndComeAfterItInOrder) {
  TMain* w = openForAnEndlessCapture();
  w->pnlAuthor->setVisible(false);  // the splash would take the click
  w->tmrAuthor->setEnabled(false);  // only the 100 ms timer ticks
  struct Tick {
    QString caption;
    int32_t mark1;
  };
  std::vector<Tick> ticks;
  w->tmrContinousSample->setOnTimer([&] {
    ticks.push_back({w->cmdSample->text(), analyzerState.mark1});
  });
  QWidget* surface = w->centralWidget();
  const int x = 60 + (w->outerWidth() - 81) / 2;
  const int32_t mark = static_cast<int32_t>(((x - 60) * 100) / (w->outerWidth() - 81));
  const QPoint inPlot = surface->mapTo(w, QPoint(x, 200));
  std::atomic<int> heldByClick{-1};
  int heldAfterTicks = 0;
  bool held = false;
  scripted::SetScript([&](uint64_t i, uint16_t) -> uint8_t {
    if (i == 1000) {
      // A click on the traces (a mark on its release), then ticks.
      PostToWindow([&] {
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, inPlot);
        heldByClick = InputHold::waiting();
      });
      held = WaitUntil([&] { return heldByClick > 0 && InputHold::waiting() > heldByClick; });
      std::this_thread::sleep_for(std::chrono::milliseconds(300));  // more ticks come
      heldAfterTicks = InputHold::waiting();
      PostToWindow([w] { QTest::keyClick(w, Qt::Key_Escape); });
    }
    return 0;
  });

  w->cmdSample->click();
  ASSERT_TRUE(held);
  EXPECT_EQ(heldAfterTicks, heldByClick + 1) << "a timer's ticks coalesce to one";
  EXPECT_TRUE(ticks.empty()) << "no tick ran during the capture or its handler";
  EXPECT_EQ(analyzerState.mark1, -1);
  QCoreApplication::processEvents();
  ASSERT_FALSE(ticks.empty());
  EXPECT_EQ(ticks[0].caption, "Sample");
  EXPECT_EQ(ticks[0].mark1, mark) << "the click came first and is delivered first";
  EXPECT_EQ(analyzerState.mark1, mark);
  EXPECT_EQ(InputHold::waiting(), 0);
}

class PaintLog : public QObject {
 public:
  std::atomic<int> surfacePaints{0};
  std::mutex lock;
  std::vector<std::pair<QString, bool>> buttonLooks;  // caption, enabled

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      if (auto* button = qobject_cast<QPushButton*>(watched)) {
        std::lock_guard<std::mutex> guard(lock);
        buttonLooks.emplace_back(button->text(), button->isEnabled());
      } else {
        ++surfacePaints;
      }
    }
    return false;
  }
};

TEST_F(CaptureOffThreadTest, TheWindowPaintsDuringACaptureButRepaintsFullyOnlyAfterIt) {
  TMain* w = openForAnEndlessCapture();
  auto* surface = w->findChild<DisplaySurface*>("clientArea");
  ASSERT_NE(surface, nullptr);
  PaintLog log;
  surface->installEventFilter(&log);
  w->cmdSample->installEventFilter(&log);
  std::vector<QString> fullPaints;  // the Sample caption at each full repaint
  const auto fullPaint = surface->onPaint;
  surface->onPaint = [&] {
    fullPaints.push_back(w->cmdSample->text());
    fullPaint();
  };
  std::vector<std::pair<QString, bool>> looksBeforeFirstRead;
  bool painted = false;
  scripted::SetScript([&](uint64_t i, uint16_t) -> uint8_t {
    if (i == 0) {
      std::lock_guard<std::mutex> guard(log.lock);
      looksBeforeFirstRead = log.buttonLooks;
    }
    if (i == 1000) {
      const int before = log.surfacePaints;
      PostToWindow([w] { w->Repaint(); });  // a full repaint asked meanwhile
      painted = WaitUntil([&] { return log.surfacePaints > before; });
      PostToWindow([w] { QTest::keyClick(w, Qt::Key_Escape); });
    }
    return 0;
  });

  w->cmdSample->click();
  EXPECT_TRUE(painted) << "the window painted during the capture";
  const std::pair<QString, bool> samplingDisabled{"Sampling", false};
  EXPECT_NE(std::find(looksBeforeFirstRead.begin(), looksBeforeFirstRead.end(), samplingDisabled),
            looksBeforeFirstRead.end())
      << "the button showed \"Sampling\" and its disabled look before the capture read";
  EXPECT_EQ(std::count(fullPaints.begin(), fullPaints.end(), "Sampling"), 0)
      << "no full repaint from the buffer while the capture wrote it";
  EXPECT_FALSE(fullPaints.empty()) << "the window repaints after the capture";
  surface->removeEventFilter(&log);
  w->cmdSample->removeEventFilter(&log);
}

}  // namespace
}  // namespace korvalinx
