#include "platform/Colour.h"

namespace korvalinx {

uint32_t FromQColor(const QColor& c) {
  return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
         (static_cast<uint32_t>(c.blue()) << 16);
}

}  // namespace korvalinx
