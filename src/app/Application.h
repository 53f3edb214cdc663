#pragma once
#include <QApplication>

namespace korvalinx {

// The program's application object. An error that escapes an event handler
// is shown in the standard error display (a message box with the error's
// message) and the message loop goes on, as it does after any handled
// event: the window stays open and closes later through its own close
// sequence.
class Application : public QApplication {
  Q_OBJECT
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace korvalinx
