#pragma once
// Keeping the window's edits, check boxes and radio buttons between runs in
// the section "Controls" of the settings file, one key per element, named
// after the element.

#include <string>
#include <vector>

#include "files/SettingsElement.h"

namespace korvalinx {

inline constexpr const char* kSettingsSection = "Controls";
inline constexpr const char* kSettingsWriteError = "valuecontrolsWrite: Error writing settings";

// Loads every kept element in order. A radio button or check box takes a
// whole number, decimal or "0x"/"0X" hexadecimal, as the complete value
// (surrounding blanks aside): non-zero checks, 0 unchecks; a missing key or
// any other value ("true", "1x", "") keeps its state. An edit takes the
// value as its text, also an empty one; the text is set only when it
// differs, so an unchanged text runs no change action. A missing file or
// section changes nothing; the file is never created.
void controlsRead(const std::vector<SettingsElement*>& owned, const std::string& settingsPath);

// Saves every kept element in order, each key by itself: "1"/"0" for radio
// buttons and check boxes, the text for edits. Each key is on disk before
// the next one is written. At the first key that cannot be written the rest
// are skipped and the log gets kSettingsWriteError. Never throws.
void controlsWrite(const std::vector<SettingsElement*>& owned,
                   const std::string& settingsPath) noexcept;

}  // namespace korvalinx
