#include "platform/MenuBar.h"

#include <QKeyEvent>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleOptionMenuItem>

namespace korvalinx {
namespace {

// Keyboard navigation of the bar, which some styles leave off.
class KeyboardMenuStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 1;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
  // Some styles mark only an entry whose list is open; an entry that the
  // keys have reached is marked the same way, so the user sees where they
  // are.
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuBarItem && item && (item->state & State_Selected) && widget &&
        widget->hasFocus()) {
      QStyleOptionMenuItem reached(*item);
      reached.state |= State_Sunken;
      QProxyStyle::drawControl(element, &reached, painter, widget);
      return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }
};

}  // namespace

MenuBar::MenuBar(QWidget* parent) : QMenuBar(parent) {
  auto* style = new KeyboardMenuStyle;
  style->setParent(this);
  setStyle(style);
  auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(menuKey, &QShortcut::activated, this, &MenuBar::enterFromKeyboard);
}

void MenuBar::enterFromKeyboard() {
  if (hasFocus()) return;
  // The bar's own way in is a press and release of Alt alone, which it
  // watches for on its window. The press carries no modifier yet.
  QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
  eventFilter(window(), &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
  eventFilter(window(), &release);
}

void MenuBar::keyPressEvent(QKeyEvent* event) {
  QAction* active = activeAction();
  if (event->key() == Qt::Key_Down && active && !active->menu()) {
    // Down opens an entry's list; an entry without one runs as Return does.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QMenuBar::keyPressEvent(&enter);
    event->accept();
    return;
  }
  QMenuBar::keyPressEvent(event);
  // An arrow key in an open list moves along the bar through here. An
  // entry without a list closes the list and leaves the keys with the
  // widget that had them before: the bar takes them, so that the entry
  // runs with Return, Space or Down.
  if (!hasFocus() && activeAction() && !activeAction()->menu()) enterFromKeyboard();
}

}  // namespace korvalinx
