#pragma once
#include <QCheckBox>
#include <functional>

namespace korvalinx {

// A check box whose click handler runs on every change of its checked
// state, by the user or by the program, and can be detached (set to
// nullptr) and attached again.
class CheckBox : public QCheckBox {
  Q_OBJECT
 public:
  explicit CheckBox(QWidget* parent = nullptr);
  void setOnClick(std::function<void()> handler) { onClick_ = std::move(handler); }
  const std::function<void()>& onClick() const { return onClick_; }

 private:
  std::function<void()> onClick_;
};

}  // namespace korvalinx
