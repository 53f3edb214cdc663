#pragma once
// The display's colours: 24-bit values with red in the low byte.

#include <cstdint>

namespace korvalinx {

struct DisplayColours {
  uint32_t background = 0x000000;  // the colour of pnlBackgroundColor
  uint32_t trace = 0x00FF00;       // the colour of pnlForegroundColor
};

inline constexpr uint32_t kMarkerColour = 0x0000FF;      // red
inline constexpr uint32_t kNumberBackground = 0xFFFFFF;  // white
inline constexpr uint32_t kInputBoxOutline = 0xFF0000;   // blue
inline constexpr uint32_t kInputBoxHigh = 0xFFFFFF;      // a data line at 1
inline constexpr uint32_t kInputBoxLow = 0x000000;       // a data line at 0

// Plot border, margin line and separators: the background with all 24 bits
// inverted, so they show on any background.
inline constexpr uint32_t FrameColour(uint32_t background) {
  return (background ^ 0xFFFFFF) & 0xFFFFFF;
}

}  // namespace korvalinx
