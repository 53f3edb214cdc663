#include "platform/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace korvalinx {
namespace {

// "A|*.a|B|*.b" -> {"A (*.a)", "B (*.b)"}
QStringList QtFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2)
    filters << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
  return filters;
}

}  // namespace

void FileDialog::prepare(QFileDialog& dialog) const {
  const bool save = kind_ == FileDialogKind::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, save);
  const QStringList filters = QtFilters(filter);
  dialog.setNameFilters(filters);
  if (filterIndex >= 1 && filterIndex <= filters.size())
    dialog.selectNameFilter(filters[filterIndex - 1]);
  // "*.kvx" -> "kvx"
  QString suffix = QString::fromStdString(defaultExt);
  while (suffix.startsWith('*') || suffix.startsWith('.')) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  dialog.setDirectory(QDir::current());
  if (!fileName.empty()) dialog.selectFile(QString::fromStdString(fileName));
}

bool FileDialog::Execute() {
  std::optional<std::string> chosen;
  if (ModalAnswerer* a = CurrentModalAnswerer()) {
    chosen = a->answerFileDialog({kind_, filter, filterIndex, fileName});
  } else {
    QFileDialog dialog(owner_);
    prepare(dialog);
    const QStringList filters = dialog.nameFilters();
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      chosen = dialog.selectedFiles().first().toStdString();
    const int index = filters.indexOf(dialog.selectedNameFilter());
    if (chosen && index >= 0) filterIndex = index + 1;
  }
  if (!chosen || chosen->empty()) return false;
  fileName = *chosen;
  // Like the system dialogs, a confirmed choice makes the file's folder the
  // current one; "stat.txt" and the log are written there.
  QDir::setCurrent(QFileInfo(QString::fromStdString(fileName)).absolutePath());
  return true;
}

}  // namespace korvalinx
