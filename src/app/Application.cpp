#include "app/Application.h"

#include <exception>

#include "platform/MessageBox.h"

namespace korvalinx {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowMessage(e.what(), "Korvalinx");
  } catch (...) {
    ShowMessage("An unknown error occurred.", "Korvalinx");
  }
  return false;
}

}  // namespace korvalinx
