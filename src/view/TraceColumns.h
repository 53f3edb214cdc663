#pragma once
// The traces' lines drawn a pixel column at a time. A view of a million
// samples has up to two million level changes per channel but only a couple
// of thousand columns: each column gets the pixels that drawing the trace
// line by line would set there (the horizontal run passing through it and
// the vertical spans of the level changes that land in it) and nothing else.

#include <cstdint>

#include "view/Canvas.h"
#include "view/RowGeometry.h"
#include "view/TraceColumnRule.h"

namespace korvalinx {

// Draws the eight traces' lines in the canvas's pen colour. `view` points at
// the view's first sample; samples view[0] to view[stop] are read, the level
// changes between view[j] and view[j + 1] for j < stop are drawn at
// rule.column(j), and every trace ends at rule.column(stop). The squares of
// short views are not drawn here.
void DrawTraceColumns(Canvas& canvas, const RowGeometry& rows, const TraceColumnRule& rule,
                      const uint8_t* view, int64_t stop);

}  // namespace korvalinx
