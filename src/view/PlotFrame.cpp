#include "view/PlotFrame.h"

#include "view/RowGeometry.h"

namespace korvalinx {
namespace {

void DrawSeparator(Canvas& canvas, DisplaySize size, const RowGeometry& rows, int k) {
  canvas.moveTo(10, rows.separatorY(k));
  canvas.lineTo(size.width - 10, rows.separatorY(k));
}

}  // namespace

void DrawPlotFrame(Canvas& canvas, DisplaySize size, const DisplayColours& colours) {
  const RowGeometry rows = RowGeometry::ForHeight(size.height);
  canvas.setPenColor(FrameColour(colours.background));
  canvas.setBrushColor(colours.background);
  canvas.rectangle(10, 10, size.width - 10, size.height - 180);

  canvas.moveTo(60, 10);
  canvas.lineTo(60, size.height - 180);

  canvas.setBrushColor(kNumberBackground);
  canvas.setFont(QStringLiteral("Arial"), 20);
  for (int k = 1; k <= kChannelCount; ++k) {
    DrawSeparator(canvas, size, rows, k);
    canvas.textOut(20, k * rows.rowHeight - rows.rowHeight / 2, QString::number(k));
  }
}

void DrawChannelLines(Canvas& canvas, DisplaySize size, uint32_t background) {
  const RowGeometry rows = RowGeometry::ForHeight(size.height);
  canvas.setPenColor(FrameColour(background));
  for (int k = 1; k <= kChannelCount; ++k) DrawSeparator(canvas, size, rows, k);
}

}  // namespace korvalinx
