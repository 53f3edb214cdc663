#pragma once
// The eight channel rows, worked out from the outer height H at every call.

#include <cstdint>

namespace korvalinx {

inline constexpr int kChannelCount = 8;

struct RowGeometry {
  int rowHeight;  // R = (H - 190) / 8
  int inset;      // q = R / 10: how far a trace keeps inside its band
  int amplitude;  // A = R - 2q

  static RowGeometry ForHeight(int height);

  // Channel c is bit c of a sample, drawn in the band below separator c.
  int lowLevel(int channel) const { return (channel + 1) * rowHeight + 10 - inset; }
  int highLevel(int channel) const { return lowLevel(channel) - amplitude; }
  int level(int channel, uint8_t sample) const {
    return (sample >> channel) & 1 ? highLevel(channel) : lowLevel(channel);
  }
  // Separator k = 1..8 (separator 0 would be the plot's top edge).
  int separatorY(int k) const { return k * rowHeight + 10; }
};

}  // namespace korvalinx
