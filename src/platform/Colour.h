#pragma once
// The program's colours are 24-bit values with red in the low byte
// (0x0000FF is red); Qt's have it the other way round.

#include <QColor>
#include <cstdint>

namespace korvalinx {

inline QColor ToQColor(uint32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

uint32_t FromQColor(const QColor& colour);

}  // namespace korvalinx
