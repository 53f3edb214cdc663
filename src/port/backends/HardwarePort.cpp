// The real parallel port: one x86 in/out instruction per access. The process
// must have been granted port access before the first call.

#include "port/Port.h"

namespace korvalinx {

uint8_t ReadPort(int32_t port) {
  uint8_t value;
  const auto address = static_cast<uint16_t>(port);
  __asm__ __volatile__("inb %w1, %b0" : "=a"(value) : "Nd"(address));
  return value;
}

void WritePort(int32_t port, uint8_t value) {
  const auto address = static_cast<uint16_t>(port);
  __asm__ __volatile__("outb %b0, %w1" : : "a"(value), "Nd"(address));
}

}  // namespace korvalinx
