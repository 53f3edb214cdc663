#include "port/virtual/SignalGenerator.h"

namespace korvalinx::demo {
namespace {

// Division and remainder rounded toward minus infinity, so that every
// pattern repeats over all of int64_t and not only from 0 on.
constexpr int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
constexpr int64_t FloorMod(int64_t a, int64_t b) {
  return a - FloorDiv(a, b) * b;
}

constexpr int64_t kNsPerSecond = 1'000'000'000;

constexpr uint8_t Bit(bool level, int bit) {
  return static_cast<uint8_t>(level ? 1u << bit : 0u);
}

}  // namespace

bool BurstLine(int64_t ns) {
  const int64_t u = FloorMod(ns, kBurstCycleNs);
  return u < kBurstLengthNs && u % kBurstPulsePeriodNs < kBurstPulsePeriodNs / 2;
}

int64_t UartBitStartNs(int64_t index) {
  return (index * kNsPerSecond + kUartBaud - 1) / kUartBaud;
}

bool UartLine(int64_t ns) {
  const int64_t u = FloorMod(ns, kUartCycleNs) - kUartStartNs;
  if (u < 0) return true;
  // u is below one cycle, so the product stays far inside int64_t.
  const int64_t bit = u * kUartBaud / kNsPerSecond;
  const int64_t frame = bit / kUartBitsPerFrame;
  if (frame >= static_cast<int64_t>(kUartText.size())) return true;
  const int64_t position = bit % kUartBitsPerFrame;
  if (position == 0) return false;                     // start bit
  if (position == kUartBitsPerFrame - 1) return true;  // stop bit
  const auto byte = static_cast<uint8_t>(kUartText[static_cast<size_t>(frame)]);
  return (byte >> (position - 1)) & 1;
}

uint8_t SpiByte(int64_t transfer, int index) {
  if (index < static_cast<int>(kSpiHeader.size())) return kSpiHeader[static_cast<size_t>(index)];
  return static_cast<uint8_t>(FloorMod(transfer, 256));
}

SpiLevels SpiLines(int64_t ns) {
  const int64_t u = FloorMod(ns, kSpiCycleNs) - kSpiSelectNs;
  if (u < 0 || u >= kSpiSelectLengthNs) return {.clock = false, .data = false, .select = true};
  const int64_t half = u / kSpiHalfClockNs;
  const int64_t bit = half / 2;
  if (bit >= 8 * kSpiBytesPerTransfer) return {.clock = false, .data = false, .select = false};
  const uint8_t byte = SpiByte(FloorDiv(ns, kSpiCycleNs), static_cast<int>(bit / 8));
  // Each bit is put out at a falling edge (the first one when select falls)
  // and sampled by the rising edge half a clock later.
  return {.clock = half % 2 == 1, .data = ((byte >> (7 - bit % 8)) & 1) != 0, .select = false};
}

int64_t PwmHighNs(int64_t ns) {
  constexpr int64_t kPeriodsPerSweep = kPwmSweepNs / kPwmPeriodNs;
  constexpr int64_t kHalfSweep = kPeriodsPerSweep / 2;
  const int64_t step = FloorMod(FloorDiv(ns, kPwmPeriodNs), kPeriodsPerSweep);
  const int64_t rise = step <= kHalfSweep ? step : kPeriodsPerSweep - step;
  return kPwmMinHighNs + (kPwmMaxHighNs - kPwmMinHighNs) * rise / kHalfSweep;
}

bool PwmLine(int64_t ns) {
  return FloorMod(ns, kPwmPeriodNs) < PwmHighNs(ns);
}

bool SquareWave(int64_t ns, int64_t periodNs) {
  return FloorMod(ns, periodNs) < periodNs / 2;
}

uint8_t DemoLines(int64_t ns) {
  const SpiLevels spi = SpiLines(ns);
  return static_cast<uint8_t>(Bit(BurstLine(ns), kBurstBit) | Bit(UartLine(ns), kUartBit) |
                              Bit(spi.clock, kSpiClockBit) | Bit(spi.data, kSpiDataBit) |
                              Bit(spi.select, kSpiSelectBit) | Bit(PwmLine(ns), kPwmBit) |
                              Bit(SquareWave(ns, kSlowSquarePeriodNs), kSlowSquareBit) |
                              Bit(SquareWave(ns, kFastSquarePeriodNs), kFastSquareBit));
}

}  // namespace korvalinx::demo
