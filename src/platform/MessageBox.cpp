#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace korvalinx {

MessageResult ShowMessage(const std::string& text, const std::string& caption,
                          MessageButtons buttons) {
  if (ModalAnswerer* a = CurrentModalAnswerer()) return a->answerMessage(text, caption, buttons);
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                  QString::fromStdString(text), QMessageBox::NoButton,
                  QApplication::activeWindow());
  QPushButton* ok = box.addButton(QMessageBox::Ok);
  if (buttons == MessageButtons::OkCancel) {
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setEscapeButton(cancel);
  }
  box.setDefaultButton(ok);
  box.exec();
  // Escape and the close button leave no OK click behind.
  return box.clickedButton() == ok ? MessageResult::Ok : MessageResult::Cancel;
}

}  // namespace korvalinx
