#include "platform/ColorDialog.h"

#include <QColorDialog>

#include "platform/Colour.h"
#include "platform/ModalAnswerer.h"

namespace korvalinx {

bool ColorDialog::Execute() {
  std::optional<uint32_t> chosen;
  if (ModalAnswerer* a = CurrentModalAnswerer()) {
    chosen = a->answerColour(color);
  } else {
    QColorDialog dialog(ToQColor(color), owner_);
    if (dialog.exec() == QDialog::Accepted) chosen = FromQColor(dialog.currentColor());
  }
  if (!chosen) return false;
  color = *chosen & 0xFFFFFF;
  return true;
}

}  // namespace korvalinx
