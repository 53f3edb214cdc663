#pragma once
#include <QMenuBar>

namespace korvalinx {

// A menu bar that the keyboard reaches without accelerators: the menu key
// (F10) and Alt alone move to the bar and highlight its first entry, the
// arrow keys walk the entries, and Return, Space or Down run an entry that
// is itself a command, as they open an entry that holds a list. An entry
// reached with the arrow keys from an open list takes the keys as well.
class MenuBar : public QMenuBar {
  Q_OBJECT
 public:
  explicit MenuBar(QWidget* parent = nullptr);

  // Moves to the bar as F10 does; nothing when the bar has the keys already.
  void enterFromKeyboard();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace korvalinx
