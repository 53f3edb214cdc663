#pragma once
#include <QImage>
#include <QWidget>
#include <functional>

namespace korvalinx {

// The window's client area: a widget that owns a persistent picture. A paint
// that the system or a full repaint asks for erases the picture to the
// window colour and runs the window's paint handler on it; an incremental
// redraw draws on the picture itself and only asks for it to be shown.
class DisplaySurface : public QWidget {
  Q_OBJECT
 public:
  explicit DisplaySurface(QWidget* parent = nullptr);

  QImage& image() { return image_; }
  const QImage& image() const { return image_; }

  std::function<void()> onPaint;  // the full repaint
  std::function<void(Qt::MouseButton, int, int)> onMouseUp;

  // Shows what was drawn on the picture, without a full repaint. A full
  // repaint that the window still owes (a hidden panel uncovered part of
  // it) is painted first, as a full repaint.
  void blit();
  // Erases and repaints everything now.
  void paintNow();
  // While held (a capture writes the buffer the full repaint draws from),
  // every paint only shows the picture; a full repaint asked meanwhile runs
  // when the hold ends.
  void holdFullPaints(bool hold);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void fullPaint();
  QImage image_;
  bool blitOnly_ = false;
  bool held_ = false;
  bool owed_ = false;
};

}  // namespace korvalinx
