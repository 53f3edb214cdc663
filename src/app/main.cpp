// The process entry: one instance at a time, port permission before any
// window, then the window and its message loop. Every path ends with
// status 0.

#include <QApplication>
#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "app/Application.h"
#include "app/TMain.h"
#include "files/ControlsSettings.h"
#include "files/SettingsPath.h"
#include "platform/MessageBox.h"
#include "platform/os/InstanceMarker.h"
#include "platform/os/InstanceName.h"
#include "platform/os/ProgramPath.h"
#include "port/permission/PortPermission.h"

int main(int argc, char** argv) {
  using namespace korvalinx;
  try {
    const std::string programPath = ProgramPath();
    if (!AcquireInstanceMarker(InstanceName(programPath))) return 0;

    // Port permission comes before Qt starts, so nothing of the toolkit ever
    // runs with the privilege that the grant needs. A refusal's message is
    // shown once the toolkit is up.
    std::optional<std::pair<std::string, std::string>> refusal;
    const int granted = EnablePortAccess([&](const std::string& text, const std::string& caption) {
      refusal.emplace(text, caption);
    });

    // The program reads no command-line arguments.
    int qtArgc = argc > 0 ? 1 : 0;
    Application app(qtArgc, argv);
    QApplication::setApplicationName("Korvalinx");
    if (refusal) ShowMessage(refusal->first, refusal->second);
    if (granted != 0) return 0;

    WindowOptions options;
    options.settingsPath = SettingsPathFor(programPath);
    TMain* window = CreateMainWindow(std::move(options));
    window->show();
    QApplication::exec();
  } catch (const std::exception& e) {
    // The standard error display: a message box with the error's message.
    if (QApplication::instance() != nullptr) ShowMessage(e.what(), "Korvalinx");
  }
  return 0;
}
