#pragma once
// The window's outer size (frame, caption bar and menu bar included), from
// which all of the display's geometry is worked out. Drawing is in client
// coordinates, so the right and bottom margins come out smaller than the
// constants suggest.

namespace korvalinx {

struct DisplaySize {
  int width;   // W
  int height;  // H
};

// Traces, markers and clicks need a plot wider than the margins.
inline bool HasPlotWidth(DisplaySize size) {
  return size.width > 81;
}

}  // namespace korvalinx
