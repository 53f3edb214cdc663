// The real parallel port. Direct in/out instructions when the process was
// granted access to the I/O space; on Linux otherwise the kernel's parport
// devices (ParportIoSpace). The choice is made once at start-up, so each
// access pays one predictable branch.

#include "port/Port.h"
#include "port/backends/HardwareAccess.h"
#include "port/backends/HardwareChoice.h"

#if defined(__linux__)
#include "port/parport/LinuxParportDevice.h"
#endif

namespace korvalinx {

namespace hardware {

bool directAccess = false;

#if defined(__linux__)
ParportIoSpace& Parports() {
  static LinuxParportDevice device;
  static ParportIoSpace space(device, "/");
  return space;
}
#endif

}  // namespace hardware

uint8_t ReadPort(int32_t port) {
#if defined(__linux__)
  if (!hardware::directAccess) return hardware::Parports().read(port);
#endif
  uint8_t value;
  const auto address = static_cast<uint16_t>(port);
  __asm__ __volatile__("inb %w1, %b0" : "=a"(value) : "Nd"(address));
  return value;
}

void WritePort(int32_t port, uint8_t value) {
#if defined(__linux__)
  if (!hardware::directAccess) {
    hardware::Parports().write(port, value);
    return;
  }
#endif
  const auto address = static_cast<uint16_t>(port);
  __asm__ __volatile__("outb %b0, %w1" : : "a"(value), "Nd"(address));
}

void UseDirectPortAccess() {
  hardware::directAccess = true;
}

}  // namespace korvalinx
