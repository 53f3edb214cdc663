#pragma once
// The demo's signal generator: the eight data lines of the virtual port as
// pure functions of time. Time is a count of nanoseconds since the program
// started (any int64_t is accepted; the patterns simply repeat), so a line
// looks the same whenever and however often it is asked, and the edges fall
// at true instants: a capture shows real frequencies.
//
// Channel 1 (bit 0) starts a burst at every multiple of kBurstCycleNs; the
// UART text and the first SPI transfer of a cycle begin shortly after it, so
// a capture triggered on channel 1 always shows the same picture.

#include <array>
#include <cstdint>
#include <string_view>

namespace korvalinx::demo {

// Bit of each line in the data register (channel = bit + 1).
inline constexpr int kBurstBit = 0;
inline constexpr int kUartBit = 1;
inline constexpr int kSpiClockBit = 2;
inline constexpr int kSpiDataBit = 3;
inline constexpr int kSpiSelectBit = 4;
inline constexpr int kPwmBit = 5;
inline constexpr int kSlowSquareBit = 6;
inline constexpr int kFastSquareBit = 7;

// All eight lines at `ns`: bit n is channel n+1.
uint8_t DemoLines(int64_t ns);

// Channel 1: low for most of a 10 ms cycle, then a burst of 20 kHz pulses.
// The quiet part is far longer than the default pre-trigger delay (1000
// reads of 0.6666 us), so the default settings trigger at the burst's first
// rising edge and the captured samples are full of edges.
inline constexpr int64_t kBurstCycleNs = 10'000'000;
inline constexpr int64_t kBurstPulsePeriodNs = 50'000;  // high for the first half
inline constexpr int64_t kBurstPulses = 20;
inline constexpr int64_t kBurstLengthNs = kBurstPulses * kBurstPulsePeriodNs;
bool BurstLine(int64_t ns);

// Channel 2: a UART line, 8N1, idle high, least significant bit first. Each
// cycle sends kUartText once, frame after frame, starting kUartStartNs after
// the burst's first edge, then stays idle until the next cycle.
inline constexpr int64_t kUartBaud = 115'200;
inline constexpr std::string_view kUartText = "Hello from Korvalinx!\r\n";
inline constexpr int64_t kUartCycleNs = kBurstCycleNs;
inline constexpr int64_t kUartStartNs = 20'000;
inline constexpr int64_t kUartBitsPerFrame = 10;  // start, 8 data, stop
// When bit `index` of the text's frames begins, counted from the first start
// bit: the boundaries of a 115,200 baud line rounded up to whole nanoseconds.
int64_t UartBitStartNs(int64_t index);
bool UartLine(int64_t ns);

// Channels 3 to 5: an SPI master in mode 0 (clock idle low, data valid on
// the rising edge and changed on the falling one), most significant bit
// first, select active low. Every kSpiCycleNs one transfer of four bytes:
// 'K', 'V', 'X' and the transfer's number (modulo 256).
inline constexpr int64_t kSpiCycleNs = 2'000'000;
inline constexpr int64_t kSpiSelectNs = 50'000;    // select falls this long into a cycle
inline constexpr int64_t kSpiHalfClockNs = 5'000;  // 100 kHz clock
inline constexpr std::array<uint8_t, 3> kSpiHeader = {'K', 'V', 'X'};
inline constexpr int64_t kSpiBytesPerTransfer = 4;
// Select stays low for a half clock before the first rising edge, the 32
// clocks, and a half clock after the last falling edge.
inline constexpr int64_t kSpiSelectLengthNs = (2 * 8 * kSpiBytesPerTransfer + 1) * kSpiHalfClockNs;
// Byte `index` (0 to 3) of transfer number `transfer`.
uint8_t SpiByte(int64_t transfer, int index);
struct SpiLevels {
  bool clock;
  bool data;
  bool select;
  bool operator==(const SpiLevels&) const = default;
};
SpiLevels SpiLines(int64_t ns);

// Channel 6: 5 kHz PWM. Each period starts high; its duty cycle sweeps in a
// triangle from 5 % up to 95 % and back over kPwmSweepNs.
inline constexpr int64_t kPwmPeriodNs = 200'000;
inline constexpr int64_t kPwmSweepNs = 4'000'000'000;
inline constexpr int64_t kPwmMinHighNs = kPwmPeriodNs / 20;
inline constexpr int64_t kPwmMaxHighNs = kPwmPeriodNs - kPwmMinHighNs;
// How long the period that contains `ns` stays high.
int64_t PwmHighNs(int64_t ns);
bool PwmLine(int64_t ns);

// Channels 7 and 8: square waves, high for the first half of each period.
inline constexpr int64_t kSlowSquarePeriodNs = 1'000'000;  // 1 kHz
inline constexpr int64_t kFastSquarePeriodNs = 100'000;    // 10 kHz
bool SquareWave(int64_t ns, int64_t periodNs);

}  // namespace korvalinx::demo
