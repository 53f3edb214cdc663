#include "platform/CheckBox.h"

namespace korvalinx {

CheckBox::CheckBox(QWidget* parent) : QCheckBox(parent) {
  connect(this, &QCheckBox::toggled, this, [this](bool) {
    if (onClick_) onClick_();
  });
}

}  // namespace korvalinx
