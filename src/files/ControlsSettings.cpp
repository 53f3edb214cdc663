#include "files/ControlsSettings.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "files/ProfileFile.h"
#include "files/WriteLog.h"

namespace korvalinx {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A whole number filling the entire value: an optional sign, then decimal
// digits, or "0x"/"0X" and hexadecimal digits, within 32 bits. Anything else,
// trailing characters included, is not a number.
std::optional<int64_t> ParseWholeNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (const char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0 || digit >= base) return std::nullopt;
    value = value * base + digit;
    if (value > int64_t{UINT32_MAX}) return std::nullopt;
  }
  return negative ? -value : value;
}

void ReadChecked(const ProfileFile& file, SettingsElement& element) {
  const std::optional<std::string> value = file.read(kSettingsSection, element.name());
  if (!value) return;
  const std::optional<int64_t> number = ParseWholeNumber(*value);
  if (number) element.setChecked(*number != 0);
}

}  // namespace

void controlsRead(const std::vector<SettingsElement*>& owned, const std::string& settingsPath) {
  const ProfileFile file(settingsPath);
  for (size_t i = 0; i < owned.size(); ++i) {
    SettingsElement& element = *owned[i];
    switch (element.kind()) {
      case ElementKind::RadioButton:
        ReadChecked(file, element);
        break;
      case ElementKind::Edit: {
        const std::string current = element.text();
        const std::string text = file.readString(kSettingsSection, element.name(), current);
        if (text != current) element.setText(text);
        break;
      }
      case ElementKind::CheckBox:
        ReadChecked(file, element);
        break;
      case ElementKind::Other:
        break;
    }
  }
}

void controlsWrite(const std::vector<SettingsElement*>& owned,
                   const std::string& settingsPath) noexcept {
  try {
    ProfileFile file(settingsPath);
    for (SettingsElement* element : owned) {
      FileResult written;
      switch (element->kind()) {
        case ElementKind::RadioButton:
        case ElementKind::CheckBox:
          written =
              file.writeString(kSettingsSection, element->name(), element->isChecked() ? "1" : "0");
          break;
        case ElementKind::Edit:
          written = file.writeString(kSettingsSection, element->name(), element->text());
          break;
        case ElementKind::Other:
          break;
      }
      if (!written) {
        WriteLog(kSettingsWriteError);
        return;
      }
    }
  } catch (...) {
    // An element or the allocator may throw; the close of the window must
    // still go on.
    WriteLog(kSettingsWriteError);
  }
}

}  // namespace korvalinx
