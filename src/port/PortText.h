#pragma once
#include <cstdint>
#include <string_view>

namespace korvalinx {

// What txtInputPort's change handler does to the port base: the text read as
// hexadecimal ("%X"); no number keeps the old base; either way only the low
// 16 bits are kept.
int32_t PortBaseFromText(std::string_view text, int32_t currentBase);

}  // namespace korvalinx
