#include "platform/HelpFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#include "platform/ModalAnswerer.h"

namespace korvalinx {

void OpenInTextEditor(const std::string& fileName) {
  const QString path = QDir::current().absoluteFilePath(QString::fromStdString(fileName));
  if (ModalAnswerer* a = CurrentModalAnswerer()) {
    a->openInEditor(path.toStdString());
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace korvalinx
