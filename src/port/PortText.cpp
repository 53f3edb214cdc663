#include "port/PortText.h"

#include "core/NumberParse.h"

namespace korvalinx {

int32_t PortBaseFromText(std::string_view text, int32_t currentBase) {
  int32_t base = currentBase;
  if (auto value = ParseHex(text)) base = static_cast<int32_t>(*value);
  return base & 0xFFFF;
}

}  // namespace korvalinx
