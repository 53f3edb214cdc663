// An instant in-memory port for benchmarks: a read costs a load and an add,
// so what a benchmark measures around it is the loop that calls it.

#include <array>

#include "port/Port.h"

namespace korvalinx {
namespace {
std::array<uint8_t, 0x10000> registers{};
}

uint8_t ReadPort(int32_t port) {
  // The data changes from read to read, so no read can be folded away.
  return registers[static_cast<uint16_t>(port)]++;
}

void WritePort(int32_t port, uint8_t value) {
  registers[static_cast<uint16_t>(port)] = value;
}

}  // namespace korvalinx
