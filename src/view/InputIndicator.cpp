#include "view/InputIndicator.h"

#include "port/Port.h"
#include "view/DisplayColours.h"
#include "view/RowGeometry.h"

namespace korvalinx {

void DrawInputIndicator(Canvas& canvas, DisplaySize size, int32_t portBase) {
  const RowGeometry rows = RowGeometry::ForHeight(size.height);
  const uint8_t lines = ReadPort(portBase);  // one read for all eight boxes
  canvas.setBrushColor(kInputBoxHigh);
  canvas.setPenColor(kInputBoxOutline);
  for (int k = 1; k <= kChannelCount; ++k) {
    canvas.setBrushColor((lines >> (k - 1)) & 1 ? kInputBoxHigh : kInputBoxLow);
    canvas.rectangle(40, k * rows.rowHeight - 10, 50, k * rows.rowHeight);
  }
}

}  // namespace korvalinx
