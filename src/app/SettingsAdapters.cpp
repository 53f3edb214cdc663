#include "app/SettingsAdapters.h"

#include <QLineEdit>
#include <QRadioButton>

#include "platform/CheckBox.h"

namespace korvalinx {
namespace {

class Element : public SettingsElement {
 public:
  Element(std::string name, QObject* object) : name_(std::move(name)), object_(object) {}
  std::string name() const override { return name_; }
  ElementKind kind() const override {
    if (qobject_cast<QRadioButton*>(object_)) return ElementKind::RadioButton;
    if (qobject_cast<QLineEdit*>(object_)) return ElementKind::Edit;
    if (qobject_cast<QCheckBox*>(object_)) return ElementKind::CheckBox;
    return ElementKind::Other;
  }
  std::string text() const override {
    if (auto* e = qobject_cast<QLineEdit*>(object_)) return e->text().toStdString();
    return {};
  }
  void setText(const std::string& text) override {
    if (auto* e = qobject_cast<QLineEdit*>(object_)) e->setText(QString::fromStdString(text));
  }
  bool isChecked() const override {
    if (auto* b = qobject_cast<QAbstractButton*>(object_)) return b->isChecked();
    return false;
  }
  void setChecked(bool checked) override {
    if (auto* b = qobject_cast<QAbstractButton*>(object_)) b->setChecked(checked);
  }

 private:
  std::string name_;
  QObject* object_;
};

}  // namespace

std::unique_ptr<SettingsElement> MakeSettingsElement(const std::string& name, QObject* object) {
  return std::make_unique<Element>(name, object);
}

}  // namespace korvalinx
