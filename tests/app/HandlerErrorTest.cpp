// An error that escapes a handler is shown in the standard error display
// and the message loop goes on: later events are handled and the window
// still closes through its close sequence.

#include <QEvent>
#include <stdexcept>

#include "app/WindowFixture.h"

namespace korvalinx {
namespace {

using HandlerErrorTest = WindowTest;

// An object whose event handler throws, and one that counts its events.
class Thrower : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw std::runtime_error("The capture buffer is on fire");
    return QObject::event(e);
  }
};
class Counter : public QObject {
 public:
  int events = 0;
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) ++events;
    return QObject::event(e);
  }
};

TEST_F(HandlerErrorTest, AnEscapingErrorIsShownAndTheLoopGoesOn) {
  TMain* w = open();
  Thrower thrower;
  Counter counter;
  answerer.messageAnswers = {MessageResult::Ok, MessageResult::Ok};

  QEvent sent(QEvent::User);
  QCoreApplication::sendEvent(&thrower, &sent);
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
  QCoreApplication::processEvents();

  ASSERT_EQ(answerer.messages.size(), 2u);
  for (const auto& m : answerer.messages) {
    EXPECT_EQ(m.text, "The capture buffer is on fire");
    EXPECT_EQ(m.caption, "Korvalinx");
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
  }
  EXPECT_EQ(counter.events, 1) << "the event after the error is still handled";
  EXPECT_TRUE(w->isVisible());

  // The window closes later through its own close sequence, which saves.
  w->txtDelay->setText("4321");
  w->close();
  EXPECT_NE(ReadWholeFile(settingsPath).find("txtDelay=4321\n"), std::string::npos);
}

}  // namespace
}  // namespace korvalinx
