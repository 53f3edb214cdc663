#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "port/virtual/SignalGenerator.h"

namespace korvalinx::demo {
namespace {

constexpr int64_t kUs = 1'000;
constexpr int64_t kMs = 1'000'000;
constexpr int64_t kS = 1'000'000'000;
constexpr double kBitNs = 1e9 / 115'200.0;
constexpr double kReadNs = 666.6;  // the nominal port read of the default time base

// Channel n (1 to 8) as the data register carries it.
bool Channel(int n, int64_t ns) {
  return (DemoLines(ns) >> (n - 1)) & 1;
}

struct Edge {
  int64_t ns;  // the first nanosecond at the new level
  bool rising;
  bool operator==(const Edge&) const = default;
};

// Every level change of channel n in [from, to), to the nanosecond. The scan
// step is shorter than any pulse of the demo, so no edge is stepped over.
std::vector<Edge> Edges(int n, int64_t from, int64_t to, int64_t step = 1'000) {
  std::vector<Edge> edges;
  bool level = Channel(n, from);
  for (int64_t a = from; a < to; a += step) {
    const int64_t b = std::min(a + step, to);
    if (Channel(n, b) == level) continue;
    int64_t lo = a, hi = b;  // level at lo, the other level at hi
    while (hi - lo > 1) {
      const int64_t mid = lo + (hi - lo) / 2;
      (Channel(n, mid) == level ? lo : hi) = mid;
    }
    if (hi < to) edges.push_back({hi, !level});
    level = !level;
  }
  return edges;
}

TEST(SignalGenerator, SquareWavesOnChannels7And8) {
  struct Case {
    int channel;
    int64_t periodNs;
  };
  for (const Case c : {Case{7, kMs}, Case{8, 100 * kUs}}) {
    SCOPED_TRACE(c.channel);
    const int64_t from = 37 * kMs;  // any whole number of periods
    std::vector<Edge> expected;
    for (int64_t t = from; t < from + 5 * c.periodNs; t += c.periodNs) {
      expected.push_back({t + c.periodNs / 2, false});
      expected.push_back({t + c.periodNs, true});
    }
    expected.pop_back();  // the rising edge at the window's end is outside it
    EXPECT_EQ(Edges(c.channel, from, from + 5 * c.periodNs), expected);
    EXPECT_TRUE(Channel(c.channel, from));
  }
}

TEST(SignalGenerator, BurstOnChannel1TriggersDefaultCaptureAndFillsIt) {
  const int64_t cycle = 3 * kBurstCycleNs;
  const std::vector<Edge> edges = Edges(1, cycle - kMs, cycle + kBurstCycleNs + kUs);
  // Twenty 20 kHz pulses from the cycle's start, then nothing until the next.
  ASSERT_EQ(edges.size(), 2u * 20 + 1);
  for (size_t i = 0; i < 40; ++i) {
    EXPECT_EQ(edges[i], (Edge{cycle + static_cast<int64_t>(i) * 25 * kUs, i % 2 == 0})) << i;
  }
  EXPECT_EQ(edges[40], (Edge{cycle + kBurstCycleNs, true}));

  // The default pre-trigger delay (1000 reads) fits into the quiet part
  // many times over, and the default capture of 1000 reads after the first
  // edge is full of edges.
  const int64_t quiet = edges[40].ns - edges[39].ns;
  EXPECT_GT(quiet, 10 * 1000 * kReadNs);
  const auto captureEnd = static_cast<int64_t>(cycle + 1000 * kReadNs);
  int inCapture = 0;
  for (const Edge& e : edges) inCapture += e.ns > cycle && e.ns < captureEnd;
  EXPECT_GE(inCapture, 20);
}

// Decodes one 8N1 frame by looking at the middle of each bit, timed from
// the frame's start bit at exact multiples of 1/115200 s.
struct Frame {
  bool startBit, stopBit;
  int data;
};
Frame ReceiveFrame(int64_t cycle, int frame) {
  const auto middle = [&](int bit) {
    return cycle + kUartStartNs + static_cast<int64_t>((frame * 10 + bit + 0.5) * kBitNs);
  };
  Frame f{Channel(2, middle(0)), Channel(2, middle(9)), 0};
  for (int bit = 0; bit < 8; ++bit) f.data |= Channel(2, middle(1 + bit)) << bit;
  return f;
}

TEST(SignalGenerator, UartOnChannel2SendsTheTextIn8N1) {
  const int64_t cycle = 5 * kUartCycleNs;

  // 'H' (0x48): start bit, the data bits least significant first, stop bit.
  const std::vector<bool> hBits = {false, false, false, false, true,
                                   false, false, true,  false, true};
  for (int bit = 0; bit < 10; ++bit) {
    const auto middle = cycle + kUartStartNs + static_cast<int64_t>((bit + 0.5) * kBitNs);
    EXPECT_EQ(Channel(2, middle), hBits[bit]) << "bit " << bit;
  }

  std::string received;
  for (int frame = 0; frame < static_cast<int>(kUartText.size()); ++frame) {
    const Frame f = ReceiveFrame(cycle, frame);
    EXPECT_FALSE(f.startBit) << frame;
    EXPECT_TRUE(f.stopBit) << frame;
    received += static_cast<char>(f.data);
  }
  EXPECT_EQ(received, kUartText);

  // Every edge sits on a bit boundary of a 115,200 baud line (to the
  // nanosecond), and the line idles high until the next cycle.
  const std::vector<Edge> edges = Edges(2, cycle, cycle + kUartCycleNs + kUartStartNs, 500);
  ASSERT_FALSE(edges.empty());
  EXPECT_EQ(edges.front(), (Edge{cycle + kUartStartNs, false}));
  for (const Edge& e : edges) {
    const double bits = (e.ns - cycle - kUartStartNs) / kBitNs;
    const auto boundary = static_cast<int64_t>(std::floor(bits + 1e-9));
    EXPECT_LT(e.ns - cycle - kUartStartNs - boundary * kBitNs, 1.0) << e.ns;
    EXPECT_GE(e.ns - cycle - kUartStartNs - boundary * kBitNs, 0.0) << e.ns;
  }
  const auto textEnd = cycle + kUartStartNs + static_cast<int64_t>(230 * kBitNs);
  EXPECT_LT(edges.back().ns, textEnd);
  EXPECT_TRUE(Channel(2, textEnd + kUs));
  EXPECT_TRUE(Channel(2, cycle + kUartCycleNs + kUartStartNs - 1));
}

// Receives the transfers of one SPI cycle in mode 0 as a device would:
// bytes while select (channel 5) is low, data (channel 4) sampled at each
// rising edge of the clock (channel 3).
struct Transfer {
  std::vector<int> bytes;
  int64_t selectLowNs = 0;
  std::vector<int64_t> risingEdges;
};
Transfer ReceiveTransfer(int64_t from) {
  Transfer t;
  const std::vector<Edge> select = Edges(5, from, from + kSpiCycleNs, 500);
  EXPECT_EQ(select.size(), 2u);
  if (select.size() != 2) return t;
  EXPECT_FALSE(select[0].rising);
  t.selectLowNs = select[1].ns - select[0].ns;
  int bits = 0, byte = 0;
  for (const Edge& e : Edges(3, from, from + kSpiCycleNs, 500)) {
    if (!e.rising) continue;
    t.risingEdges.push_back(e.ns);
    byte = (byte << 1) | Channel(4, e.ns);
    if (++bits % 8 == 0) t.bytes.push_back(std::exchange(byte, 0));
  }
  return t;
}

TEST(SignalGenerator, SpiOnChannels3To5SendsNumberedTransfers) {
  for (const int64_t transfer : {int64_t{0}, int64_t{1}, int64_t{300}}) {
    SCOPED_TRACE(transfer);
    const int64_t from = transfer * kSpiCycleNs;
    EXPECT_FALSE(Channel(3, from));  // clock idles low
    EXPECT_TRUE(Channel(5, from));   // select idles high
    const Transfer t = ReceiveTransfer(from);
    EXPECT_EQ(t.bytes, (std::vector<int>{'K', 'V', 'X', static_cast<int>(transfer % 256)}));
    EXPECT_EQ(t.selectLowNs, 325 * kUs);
    ASSERT_EQ(t.risingEdges.size(), 32u);
    EXPECT_EQ(t.risingEdges.front(), from + kSpiSelectNs + 5 * kUs);
    EXPECT_EQ(t.risingEdges.back() - t.risingEdges.front(), 31 * 10 * kUs);  // 100 kHz
  }
}

TEST(SignalGenerator, PwmOnChannel6SweepsItsDutyCycle) {
  struct Case {
    int64_t periodStart;
    int64_t highNs;
  };
  for (const Case c : {Case{0, 10 * kUs}, Case{kS, 100 * kUs}, Case{2 * kS, 190 * kUs},
                       Case{3 * kS, 100 * kUs}, Case{4 * kS, 10 * kUs}, Case{kS / 2, 55 * kUs}}) {
    SCOPED_TRACE(c.periodStart);
    // Rising edges 200 us apart (5 kHz); high for the period's duty.
    EXPECT_EQ(Edges(6, c.periodStart - kUs, c.periodStart + 200 * kUs + kUs),
              (std::vector<Edge>{{c.periodStart, true},
                                 {c.periodStart + c.highNs, false},
                                 {c.periodStart + 200 * kUs, true}}));
  }
  // The sweep is slow: neighbouring periods differ by a few nanoseconds.
  EXPECT_EQ(PwmHighNs(kS + kPwmPeriodNs) - PwmHighNs(kS), 18);
}

TEST(SignalGenerator, LinesRepeatOverAllTime) {
  // Everything repeats after 128 s (the sweep, and 256 numbered transfers).
  constexpr int64_t kRepeat = 128 * kS;
  for (int64_t t = 0; t < 3 * kBurstCycleNs; t += 997) {
    const uint8_t lines = DemoLines(t);
    ASSERT_EQ(DemoLines(t - kRepeat), lines) << t;
    ASSERT_EQ(DemoLines(t + 100'000 * kRepeat), lines) << t;  // 148 days on
  }
}

}  // namespace
}  // namespace korvalinx::demo
