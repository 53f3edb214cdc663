#pragma once
// Every modal question the program asks goes through here. Normally the Qt
// dialogs answer; tests install an answerer that scripts the answers, so no
// test ever blocks on a dialog.

#include <cstdint>
#include <optional>
#include <string>

namespace korvalinx {

enum class MessageButtons { Ok, OkCancel };
enum class MessageResult { Ok, Cancel };

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
  FileDialogKind kind;
  std::string filter;  // "Description|*.ext|..." as the dialog holds it
  int filterIndex;     // 1-based
  std::string fileName;
};

class ModalAnswerer {
 public:
  virtual ~ModalAnswerer() = default;
  virtual MessageResult answerMessage(const std::string& text, const std::string& caption,
                                      MessageButtons buttons) = 0;
  // The chosen file, or nothing for a cancel.
  virtual std::optional<std::string> answerFileDialog(const FileDialogRequest& request) = 0;
  // The chosen colour (0x00BBGGRR), or nothing for a cancel.
  virtual std::optional<uint32_t> answerColour(uint32_t initial) = 0;
  // A request to open a file in the desktop's text editor; false answers as
  // a desktop that has no program to show it.
  virtual bool openInEditor(const std::string& path) = 0;
};

// Installs the answerer (nullptr: the real dialogs again).
void SetModalAnswerer(ModalAnswerer* answerer);
ModalAnswerer* CurrentModalAnswerer();

}  // namespace korvalinx
