#pragma once
#include <QWidget>
#include <cstdint>

namespace korvalinx {

// The colour chooser. It opens on its own colour, the one last chosen in it
// (black before the first choice), whoever opens it.
class ColorDialog {
 public:
  explicit ColorDialog(QWidget* owner) : owner_(owner) {}
  uint32_t color = 0x000000;
  // True when the user confirmed a colour, which is then in `color`.
  bool Execute();

 private:
  QWidget* owner_;
};

}  // namespace korvalinx
