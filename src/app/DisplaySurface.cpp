#include "app/DisplaySurface.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

namespace korvalinx {

DisplaySurface::DisplaySurface(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  image_ = QImage(1, 1, QImage::Format_RGB32);
}

void DisplaySurface::fullPaint() {
  image_.fill(palette().color(QPalette::Window));
  if (onPaint) onPaint();
}

void DisplaySurface::blit() {
  if (!isVisible()) return;
  // A synchronous repaint paints, in the same paint event, every region the
  // window still has to paint (a panel that was just hidden uncovers part
  // of the plot). Those regions are owed a full repaint, which also sets the
  // labels from the current time base: let the window paint them first, so
  // that the blit's paint event holds only the blit.
  QEvent pending(QEvent::UpdateRequest);
  QCoreApplication::sendEvent(window(), &pending);
  blitOnly_ = true;
  repaint();
  blitOnly_ = false;
}

void DisplaySurface::paintNow() {
  if (held_) {
    owed_ = true;
    blit();
  } else if (isVisible()) {
    repaint();
  } else {
    // Not on screen: still bring the picture up to date.
    fullPaint();
  }
}

void DisplaySurface::holdFullPaints(bool hold) {
  held_ = hold;
  if (!hold && owed_) {
    owed_ = false;
    paintNow();
  }
}

void DisplaySurface::paintEvent(QPaintEvent*) {
  if (held_)
    owed_ = owed_ || !blitOnly_;
  else if (!blitOnly_)
    fullPaint();
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void DisplaySurface::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  QImage next(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  next.fill(palette().color(QPalette::Window));
  // The picture stays where it was drawn until the next paint draws over it.
  QPainter(&next).drawImage(0, 0, image_);
  image_ = std::move(next);
}

void DisplaySurface::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  if (onMouseUp) {
    const QPoint p = event->position().toPoint();
    onMouseUp(event->button(), p.x(), p.y());
  }
}

}  // namespace korvalinx
