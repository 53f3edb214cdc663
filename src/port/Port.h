#pragma once
// Byte access to I/O ports. Declared once here and defined by exactly one
// backend per executable (hardware, virtual, scripted or memory): no runtime
// switch and no indirect call per read.

#include <cstdint>

namespace korvalinx {

// One byte-wide input from the low 16 bits of `port`; nothing else.
uint8_t ReadPort(int32_t port);

// One byte-wide output of `value` to the low 16 bits of `port`; nothing else.
void WritePort(int32_t port, uint8_t value);

}  // namespace korvalinx
