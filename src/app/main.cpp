// The process entry: one instance at a time, port permission before any
// window, then the window and its message loop. Every path ends with
// status 0.

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QMetaObject>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <utility>

#include "app/Application.h"
#include "app/TMain.h"
#include "files/ControlsSettings.h"
#include "files/SettingsPlace.h"
#include "platform/MessageBox.h"
#include "platform/os/InstanceMarker.h"
#include "platform/os/InstanceName.h"
#include "platform/os/ProgramPath.h"
#include "port/permission/DeferredMessages.h"
#include "port/permission/PortPermission.h"

namespace {

// The splash panel's tooltip names the way to the port, read each time the
// tooltip is asked for: the port base may have changed meanwhile.
class PortAccessTooltip final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTip) {
      if (auto* widget = qobject_cast<QWidget*>(watched)) {
        widget->setToolTip("Port access: " + QString::fromStdString(korvalinx::PortAccessInUse()));
      }
    }
    return false;
  }
};

// The system's own plugin folder, and nothing else: not the program's folder,
// which Qt adds when the application object is made.
QStringList systemPluginPaths() {
  return {QLibraryInfo::path(QLibraryInfo::PluginsPath)};
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korvalinx;
  try {
    const std::string programPath = ProgramPath();
    if (!AcquireInstanceMarker(InstanceName(programPath))) return 0;

    // Port permission comes before Qt starts, so nothing of the toolkit ever
    // runs with the privilege that the grant needs, nor reads an environment
    // that a privileged start has not cut down. A refusal's message is shown
    // once the toolkit is up; the driver's messages at close at once.
    DeferredMessages portMessages;
    const int granted = EnablePortAccess(portMessages.sink());
    if (granted == kPortAccessEndAtOnce) {
      // Still privileged: the toolkit must not start, not even for a message.
      portMessages.showWith([](const std::string& text, const std::string& caption) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
      });
      return 0;
    }

    // A privileged start loads plugins from the system's folder only; the
    // paths are set before the application object, which loads the platform
    // plugin, and again after it, which added the program's folder.
    const bool pinPlugins = StartedPrivileged();
    if (pinPlugins) QCoreApplication::setLibraryPaths(systemPluginPaths());

    // The program reads no command-line arguments.
    int qtArgc = argc > 0 ? 1 : 0;
    Application app(qtArgc, argv);
    if (pinPlugins) QCoreApplication::setLibraryPaths(systemPluginPaths());
    QApplication::setApplicationName("Korvalinx");
    portMessages.showWith(
        [](const std::string& text, const std::string& caption) { ShowMessage(text, caption); });
    if (granted != kPortAccessGranted) return 0;

    // The parport device's notices (busy, denied, gone) may come from a
    // capture: they are shown by the message loop, on the GUI thread.
    RoutePortNotices([](const std::string& text, const std::string& caption) {
      QMetaObject::invokeMethod(
          qApp, [text, caption] { ShowMessage(text, caption); }, Qt::QueuedConnection);
    });

    WindowOptions options;
    options.settingsPath = ChooseSettingsPath(
        programPath,
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString());
    TMain* window = CreateMainWindow(std::move(options));

    // Which way to the port is in use: once on standard error, after the open
    // sequence chose it, and in the splash panel's tooltip.
    std::fprintf(stderr, "%s: port access: %s\n",
                 std::filesystem::path(programPath).filename().c_str(), PortAccessInUse().c_str());
    auto* tooltip = new PortAccessTooltip(window);
    for (QWidget* panel :
         {static_cast<QWidget*>(window->pnlAuthor), static_cast<QWidget*>(window->imgAuthor)}) {
      panel->installEventFilter(tooltip);
    }

    window->show();
    QApplication::exec();
  } catch (const std::exception& e) {
    // The standard error display: a message box with the error's message.
    if (QApplication::instance() != nullptr) ShowMessage(e.what(), "Korvalinx");
  }
  return 0;
}
