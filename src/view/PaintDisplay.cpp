#include "view/PaintDisplay.h"

#include "view/InputIndicator.h"
#include "view/Markers.h"
#include "view/PlotFrame.h"
#include "view/Traces.h"

namespace korvalinx {

void PaintDisplay(Canvas& canvas, DisplaySize size, const DisplayColours& colours,
                  const uint8_t* samples, int32_t first, int32_t count, int32_t mark1,
                  int32_t mark2, int32_t portBase) {
  DrawPlotFrame(canvas, size, colours);
  DrawTraces(canvas, size, samples, colours.trace, first, count);
  DrawMarkers(canvas, size, kMarkerColour, first, count, mark1, mark2);
  DrawInputIndicator(canvas, size, portBase);
}

}  // namespace korvalinx
