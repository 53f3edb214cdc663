#pragma once
#include <QScrollBar>
#include <functional>

namespace korvalinx {

// Scroll codes as the window's scroll handler knows them.
enum ScrollCode {
  kScrollLineUp = 0,
  kScrollLineDown = 1,
  kScrollPageUp = 2,
  kScrollPageDown = 3,
  kScrollThumbPosition = 4,
  kScrollThumbTrack = 5,
  kScrollTop = 6,
  kScrollBottom = 7,
  kScrollEndScroll = 8,
};

// A horizontal scroll bar that reports each scroll notification with its
// code and the position it is about to take BEFORE it stores that position,
// and ends every scroll action by mouse, key or wheel with an end-of-scroll
// notification. It takes the focus (a tab stop) and has no context menu.
// Position runs from 0 to Max; the small step may be 0 (an
// arrow click then leaves the position where it is). Setting the position
// from the program reports nothing.
class ScrollBar : public QScrollBar {
  Q_OBJECT
 public:
  explicit ScrollBar(QWidget* parent = nullptr);

  using ScrollHandler = std::function<void(int code, int newPosition)>;
  void setOnScroll(ScrollHandler handler) { onScroll_ = std::move(handler); }

  int position() const { return value(); }
  void setPosition(int p) { setValue(p); }  // brought into 0..Max
  int max() const { return maximum(); }
  void setMax(int m) { setMaximum(m); }
  int smallChange() const { return singleStep(); }
  void setSmallChange(int s) { setSingleStep(s); }
  int largeChange() const { return pageStep(); }
  void setLargeChange(int l) { setPageStep(l); }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void notify(int code, int newPosition);
  void endScroll();

  ScrollHandler onScroll_;
  bool thumbReleased_ = false;
};

}  // namespace korvalinx
