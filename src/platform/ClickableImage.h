#pragma once
#include <QLabel>
#include <functional>

namespace korvalinx {

// A picture drawn unscaled from its top-left corner (what does not fit is
// cut off) that reports clicks.
class ClickableImage : public QLabel {
  Q_OBJECT
 public:
  explicit ClickableImage(QWidget* parent = nullptr);
  void setOnClick(std::function<void()> handler) { onClick_ = std::move(handler); }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void()> onClick_;
};

}  // namespace korvalinx
