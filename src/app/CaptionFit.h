#pragma once
#include <QLabel>

namespace korvalinx {

// The stand-ins for the design's face run a little wider than it. A caption
// whose text would be cut off by its fixed box, or would run into the
// element that begins to its right on the same line, takes the narrow
// stand-in face instead. Call it once the caption's neighbours are placed.
void FitCaption(QLabel* label);

}  // namespace korvalinx
