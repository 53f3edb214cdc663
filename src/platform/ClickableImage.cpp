#include "platform/ClickableImage.h"

#include <QMouseEvent>

namespace korvalinx {

ClickableImage::ClickableImage(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setScaledContents(false);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick_)
    onClick_();
}

}  // namespace korvalinx
