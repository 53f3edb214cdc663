#pragma once
#include <QWidget>
#include <string>

#include "platform/ModalAnswerer.h"

class QFileDialog;

namespace korvalinx {

// An open or save dialog that keeps its settings between uses: the filter
// ("Description|*.ext|..."), the 1-based filter index, the default extension
// and the file name of the last confirmed use.
class FileDialog {
 public:
  FileDialog(FileDialogKind kind, QWidget* owner) : kind_(kind), owner_(owner) {}

  std::string filter;
  int filterIndex = 1;
  std::string defaultExt;
  std::string fileName;

  // Shows the dialog modally. True when the user confirmed a file: then
  // fileName holds it and the current folder moves to the file's folder.
  // A cancel leaves fileName as it was.
  bool Execute();

  // Sets up the Qt dialog that Execute shows: mode, filters, default suffix,
  // folder and name. A save dialog replaces an existing file without asking,
  // as the system's dialogs do by default.
  void prepare(QFileDialog& dialog) const;

 private:
  FileDialogKind kind_;
  QWidget* owner_;
};

}  // namespace korvalinx
