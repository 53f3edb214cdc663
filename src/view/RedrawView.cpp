#include "view/RedrawView.h"

#include "view/Markers.h"
#include "view/Traces.h"

namespace korvalinx {

void RedrawView(Canvas& canvas, DisplaySize size, const DisplayColours& colours,
                const uint8_t* samples, PreviousView& previous, int32_t first, int32_t count,
                int32_t mark1, int32_t mark2) {
  DrawMarkers(canvas, size, colours.background, previous.first, previous.count, previous.mark1,
              previous.mark2);
  DrawTraces(canvas, size, samples, colours.background, previous.first, previous.count);
  previous = {first, count, mark1, mark2};
  DrawMarkers(canvas, size, kMarkerColour, first, count, mark1, mark2);
  DrawTraces(canvas, size, samples, colours.trace, first, count);
}

}  // namespace korvalinx
