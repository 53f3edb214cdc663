#include "platform/ScrollBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QWheelEvent>

namespace korvalinx {
namespace {

int CodeOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return kScrollLineUp;
    case QAbstractSlider::SliderSingleStepAdd:
      return kScrollLineDown;
    case QAbstractSlider::SliderPageStepSub:
      return kScrollPageUp;
    case QAbstractSlider::SliderPageStepAdd:
      return kScrollPageDown;
    case QAbstractSlider::SliderToMinimum:
      return kScrollTop;
    case QAbstractSlider::SliderToMaximum:
      return kScrollBottom;
    case QAbstractSlider::SliderMove:
      return kScrollThumbTrack;
    default:
      return -1;
  }
}

}  // namespace

ScrollBar::ScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  // A tab stop that the keys move, and that a click gives the focus.
  setFocusPolicy(Qt::StrongFocus);
  // No menu of its own: the toolkit's (scroll here, edges, pages) would move
  // the bar without the notifications above. The keys reach every place
  // that menu offers.
  setContextMenuPolicy(Qt::PreventContextMenu);
  // Qt emits actionTriggered after working out the new slider position and
  // before storing it as the value: the moment the handler is called.
  connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
    const int code = CodeOf(action);
    if (code >= 0) notify(code, sliderPosition());
  });
  connect(this, &QAbstractSlider::sliderReleased, this, [this] { thumbReleased_ = true; });
}

void ScrollBar::notify(int code, int newPosition) {
  if (onScroll_) onScroll_(code, newPosition);
}

void ScrollBar::endScroll() {
  if (thumbReleased_) {
    thumbReleased_ = false;
    notify(kScrollThumbPosition, value());
  }
  notify(kScrollEndScroll, value());
}

void ScrollBar::mouseReleaseEvent(QMouseEvent* event) {
  QScrollBar::mouseReleaseEvent(event);
  // The right button scrolls nothing, so it ends no scroll.
  if (event->button() == Qt::RightButton) return;
  endScroll();
}

void ScrollBar::keyPressEvent(QKeyEvent* event) {
  // The keys move a horizontal bar the way its arrows do: Right and Down
  // towards Max, Home and End to either end.
  SliderAction action = SliderNoAction;
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      action = SliderSingleStepSub;
      break;
    case Qt::Key_Right:
    case Qt::Key_Down:
      action = SliderSingleStepAdd;
      break;
    case Qt::Key_PageUp:
      action = SliderPageStepSub;
      break;
    case Qt::Key_PageDown:
      action = SliderPageStepAdd;
      break;
    case Qt::Key_Home:
      action = SliderToMinimum;
      break;
    case Qt::Key_End:
      action = SliderToMaximum;
      break;
    default:
      QScrollBar::keyPressEvent(event);
      return;
  }
  triggerAction(action);
  event->accept();
}

void ScrollBar::keyReleaseEvent(QKeyEvent* event) {
  QScrollBar::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) endScroll();
}

void ScrollBar::wheelEvent(QWheelEvent* event) {
  QScrollBar::wheelEvent(event);
  endScroll();
}

void ScrollBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (!hasFocus()) return;
  // Scroll bar styles show no focus of their own; a focus frame around the
  // thumb tells the user where the keys go.
  QStyleOptionSlider slider;
  initStyleOption(&slider);
  QStyleOptionFocusRect frame;
  frame.initFrom(this);
  // Shown from the start, not only once Tab has been used.
  frame.state |= QStyle::State_KeyboardFocusChange;
  frame.rect = style()
                   ->subControlRect(QStyle::CC_ScrollBar, &slider, QStyle::SC_ScrollBarSlider, this)
                   .adjusted(2, 2, -2, -2);
  frame.backgroundColor = palette().color(QPalette::Button);
  QStylePainter(this).drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

}  // namespace korvalinx
