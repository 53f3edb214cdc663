#pragma once
#include <QFrame>
#include <cstdint>
#include <functional>

namespace korvalinx {

// A raised panel that shows a colour and reports clicks.
class ColorPanel : public QFrame {
  Q_OBJECT
 public:
  explicit ColorPanel(QWidget* parent = nullptr);
  uint32_t color() const { return color_; }
  void setColor(uint32_t colour);
  void setOnClick(std::function<void()> handler) { onClick_ = std::move(handler); }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  uint32_t color_ = 0;
  std::function<void()> onClick_;
};

}  // namespace korvalinx
