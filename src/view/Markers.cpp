#include "view/Markers.h"

#include "view/Navigation.h"

namespace korvalinx {
namespace {

void DrawMarker(Canvas& canvas, DisplaySize size, uint32_t colour, int32_t first, int32_t count,
                int32_t mark) {
  // In 64 bits: first + count may lie past the 32-bit range.
  const int64_t end = static_cast<int64_t>(first) + count;
  if (!(first < mark && mark < end)) return;
  canvas.setPenColor(colour);
  // Inside the view the column lies between 60 and W - 21.
  const auto x = static_cast<int>(MarkerColumn(mark, first, count, size.width));
  canvas.moveTo(x, 11);
  canvas.lineTo(x, size.height - 181);
}

}  // namespace

void DrawMarkers(Canvas& canvas, DisplaySize size, uint32_t colour, int32_t first, int32_t count,
                 int32_t mark1, int32_t mark2) {
  if (!HasPlotWidth(size)) return;
  DrawMarker(canvas, size, colour, first, count, mark1);
  DrawMarker(canvas, size, colour, first, count, mark2);
}

}  // namespace korvalinx
