#include "platform/ColorPanel.h"

#include <QMouseEvent>

#include "platform/Colour.h"

namespace korvalinx {

ColorPanel::ColorPanel(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
  setAutoFillBackground(true);
  setColor(0);
}

void ColorPanel::setColor(uint32_t colour) {
  color_ = colour & 0xFFFFFF;
  QPalette p = palette();
  p.setColor(QPalette::Window, ToQColor(color_));
  setPalette(p);
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
  QFrame::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick_)
    onClick_();
}

}  // namespace korvalinx
