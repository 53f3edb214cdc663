#pragma once
// What the settings load and save need of a window element. The window wraps
// each element it owns in one of these, in the order it owns them.

#include <string>

namespace korvalinx {

enum class ElementKind { Other, Edit, CheckBox, RadioButton };

class SettingsElement {
 public:
  virtual ~SettingsElement() = default;
  // The element's name, the key in the settings file (`txtDelay`, ...).
  virtual std::string name() const = 0;
  virtual ElementKind kind() const = 0;
  // Edits: the text. Setting it runs the edit's change action.
  virtual std::string text() const = 0;
  virtual void setText(const std::string& text) = 0;
  // Check boxes and radio buttons: the checked state. A change runs the
  // element's click action (where the window has one attached).
  virtual bool isChecked() const = 0;
  virtual void setChecked(bool checked) = 0;
};

}  // namespace korvalinx
