#include "platform/HelpFile.h"

#include <sys/stat.h>

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "platform/ModalAnswerer.h"
#include "platform/os/ChildPortAccess.h"

namespace korvalinx {

std::vector<std::string> HelpFilePlaces(const std::string& currentFolder,
                                        const std::string& programFolder) {
  const std::string name = kHelpFileName;
  return {currentFolder + "/" + name, programFolder + "/" + name,
          programFolder + "/" KORVALINX_DOCDIR_FROM_BINDIR "/" + name};
}

std::optional<std::string> FindHelpFile(const std::vector<std::string>& places) {
  for (const std::string& place : places) {
    struct stat st {};
    if (::stat(place.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return place;
  }
  return std::nullopt;
}

std::string HelpNotFoundMessage() {
  return std::string("The help text ") + kHelpFileName +
         " was not found: it is neither in the current folder, nor next to the program, nor in "
         "the documentation folder of the installation.";
}

std::string HelpCannotOpenMessage(const std::string& path) {
  return "No program to show the help text could be started. The help text is the file\n" + path;
}

void OpenWith(const QString& opener, const std::string& path, std::function<void()> cannotOpen) {
  // No parent and no deletion at exit: destroying a running QProcess kills
  // it, and with it an editor that the opener waits for.
  auto* process = new QProcess;
  process->setProgram(opener);
  process->setArguments({QString::fromStdString(path)});
  process->setStandardInputFile(QProcess::nullDevice());
  process->setProcessChannelMode(QProcess::ForwardedChannels);
#if defined(Q_OS_UNIX)
  process->setChildProcessModifier([] { GiveUpPortAccessInChild(); });
#endif
  QObject::connect(process, &QProcess::errorOccurred, process,
                   [process, cannotOpen](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;  // finished() follows
                     cannotOpen();
                     process->deleteLater();
                   });
  QObject::connect(process, &QProcess::finished, process,
                   [process, cannotOpen](int exitCode, QProcess::ExitStatus status) {
                     if (status != QProcess::NormalExit || exitCode != 0) cannotOpen();
                     process->deleteLater();
                   });
  process->start();
}

void OpenInTextEditor(const std::string& path, std::function<void()> cannotOpen) {
  if (ModalAnswerer* a = CurrentModalAnswerer()) {
    if (!a->openInEditor(path)) cannotOpen();
    return;
  }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  OpenWith("xdg-open", path, std::move(cannotOpen));
#else
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) cannotOpen();
#endif
}

}  // namespace korvalinx
