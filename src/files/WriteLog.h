#pragma once
#include <string_view>

namespace korvalinx {

inline constexpr const char* kLogFileName = "korvalin.log";

// Creates "korvalin.log" in the current folder anew with exactly `message`,
// no line end added, so it only ever holds the last message. A log that
// cannot be created gets nothing; the call returns quietly either way.
void WriteLog(std::string_view message) noexcept;

}  // namespace korvalinx
