#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvalinx {

// Reads a decimal number the way atol does: leading white space, one optional
// sign, then digits up to the first other character; 0 when there is no digit.
// A number beyond the 32-bit range saturates, as a 32-bit strtol does.
int32_t ParseDecimal(std::string_view text);

// Reads a hexadecimal number the way scanf's "%X" does: leading white space,
// an optional sign, an optional 0x/0X prefix, then hex digits of either case.
// Returns nothing when no digit was read. The value wraps modulo 2^32.
std::optional<uint32_t> ParseHex(std::string_view text);

}  // namespace korvalinx
