#include "core/NumberParse.h"

#include <cstdint>

namespace korvalinx {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Skips leading white space and one optional sign; true for a minus.
bool SkipSpaceAndSign(std::string_view text, size_t& i) {
  while (i < text.size() && IsSpace(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) return text[i++] == '-';
  return false;
}

}  // namespace

int32_t ParseDecimal(std::string_view text) {
  size_t i = 0;
  const bool negative = SkipSpaceAndSign(text, i);
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;  // saturate, keep reading digits
    ++i;
  }
  if (negative) return static_cast<int32_t>(-value);  // -2^31 at most
  return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

std::optional<uint32_t> ParseHex(std::string_view text) {
  size_t i = 0;
  const bool negative = SkipSpaceAndSign(text, i);
  // "0x" counts as a prefix only when a hex digit follows it; otherwise the
  // "0" alone is the number.
  if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
      HexDigit(text[i + 2]) >= 0) {
    i += 2;
  }
  uint32_t value = 0;
  bool any = false;
  while (i < text.size() && HexDigit(text[i]) >= 0) {
    value = (value << 4) | static_cast<uint32_t>(HexDigit(text[i]));
    any = true;
    ++i;
  }
  if (!any) return std::nullopt;
  return negative ? static_cast<uint32_t>(0u - value) : value;
}

}  // namespace korvalinx
