// The demo's virtual parallel port: a 64 KiB register file whose data
// register follows a signal source. (Simple square waves for now.)

#include <array>
#include <chrono>

#include "core/AnalyzerState.h"
#include "port/Port.h"

namespace korvalinx {
namespace {

std::array<uint8_t, 0x10000> registers = [] {
  std::array<uint8_t, 0x10000> r{};
  r.fill(0xFF);
  return r;
}();

const auto start = std::chrono::steady_clock::now();

}  // namespace

uint8_t ReadPort(int32_t port) {
  const auto address = static_cast<uint16_t>(port);
  if (address != static_cast<uint16_t>(analyzerState.portBase)) return registers[address];
  const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  return static_cast<uint8_t>(us / 100);
}

void WritePort(int32_t port, uint8_t value) { registers[static_cast<uint16_t>(port)] = value; }

}  // namespace korvalinx
