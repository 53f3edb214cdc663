// The display handlers: the full repaint, the resize, and navigation
// (scrolling, zooming, marks) through the incremental redraw.

#include "app/DisplaySurface.h"
#include "app/TMain.h"
#include "core/AnalyzerState.h"
#include "core/FormatSampleTime.h"
#include "view/InputIndicator.h"
#include "view/Navigation.h"
#include "view/PaintDisplay.h"
#include "view/PlotFrame.h"
#include "view/RedrawView.h"

namespace korvalinx {
namespace {

QString TimeLabel(int32_t count, char* buffer) {
  return QString::fromLatin1(FormatSampleTime(count, buffer, kTimeTextSize));
}

}  // namespace

void TMain::FormPaint() {
  const int W = outerWidth();
  const int H = outerHeight();
  AnalyzerState& s = analyzerState;
  const int32_t first = scrlDisplay->position();
  const auto count = static_cast<int32_t>(s.visibleCount);
  gbDisplay->move(gbDisplay->x(), H - 150);
  scrlDisplay->setGeometry(scrlDisplay->x(), H - 170, W - 20, scrlDisplay->height());
  showTimes();
  const DisplayColours colours{pnlBackgroundColor->color(), pnlForegroundColor->color()};
  PaintDisplay(canvas_, {W, H}, colours, s.buffer.data(), first, count, s.mark1, s.mark2,
               s.portBase);
}

void TMain::FormResize() {
  Repaint();
}

void TMain::showTimes() {
  AnalyzerState& s = analyzerState;
  lblFirst->setText(TimeLabel(scrlDisplay->position(), s.timeText));
  lblNumSamples->setText(TimeLabel(static_cast<int32_t>(s.visibleCount), s.timeText));
  // The marks' labels keep "0" until a release first writes them; from then
  // on a time computed with a base no longer in force would be wrong.
  if (markTimesShown_) showMarkTimes();
}

void TMain::showMarkTimes() {
  const AnalyzerState& s = analyzerState;
  char text[kTimeTextSize];
  lblMark1->setText(TimeLabel(s.mark1, text));
  lblMark2->setText(TimeLabel(s.mark2, text));
  // Signed: negative when mark 2 lies before mark 1.
  const auto delta = static_cast<int32_t>(static_cast<int64_t>(s.mark2) - s.mark1);
  lblDelta->setText(TimeLabel(delta, text));
  markTimesShown_ = true;
}

void TMain::InitView() {
  scrlDisplay->setMax(0x100000);
  previousFirst = 0;
  scrlDisplay->setPosition(0);
  previousCount = 100;
  analyzerState.visibleCount = 100;
}

void TMain::redrawAndBlit() {
  AnalyzerState& s = analyzerState;
  const DisplaySize size{outerWidth(), outerHeight()};
  const DisplayColours colours{pnlBackgroundColor->color(), pnlForegroundColor->color()};
  PreviousView previous{previousFirst, previousCount, s.prevMark1, s.prevMark2};
  RedrawView(canvas_, size, colours, s.buffer.data(), previous, scrlDisplay->position(),
             static_cast<int32_t>(s.visibleCount), s.mark1, s.mark2);
  previousFirst = previous.first;
  previousCount = previous.count;
  s.prevMark1 = previous.mark1;
  s.prevMark2 = previous.mark2;
  DrawChannelLines(canvas_, size, colours.background);
  surface_->blit();
}

void TMain::scrlDisplayScroll(int code, int) {
  if (code != kScrollThumbTrack && code != kScrollEndScroll) return;
  // While the thumb is dragged the position is still the one of the
  // notification before; at the end of a scroll it is the final one.
  const int32_t p = scrlDisplay->position();
  if (p >= 0x100000) return;
  redrawAndBlit();
  lblFirst->setText(TimeLabel(scrlDisplay->position(), analyzerState.timeText));
}

namespace {

void ApplySteps(ScrollBar* bar, const ScrollSteps& steps) {
  bar->setLargeChange(steps.large);
  bar->setSmallChange(steps.small);
}

}  // namespace

void TMain::applyZoom(ZoomState (*zoom)(ZoomState)) {
  AnalyzerState& s = analyzerState;
  const ZoomState z =
      zoom({s.visibleCount, {scrlDisplay->largeChange(), scrlDisplay->smallChange()}});
  s.visibleCount = z.count;
  ApplySteps(scrlDisplay, z.steps);
  redrawAndBlit();
  lblNumSamples->setText(TimeLabel(static_cast<int32_t>(s.visibleCount), s.timeText));
}

void TMain::cmdZoomINClick() {
  applyZoom(&ZoomIn);
}
void TMain::cmdZoomOUTClick() {
  applyZoom(&ZoomOut);
}

void TMain::cmdZoomMarkedClick() {
  AnalyzerState& s = analyzerState;
  const std::optional<MarkedZoom> z = ZoomToMarks(s.mark1, s.mark2);
  if (!z) return;
  s.visibleCount = z->count;
  scrlDisplay->setPosition(ClampScrollPosition(z->position));
  ApplySteps(scrlDisplay, z->steps);
  redrawAndBlit();
  lblFirst->setText(TimeLabel(scrlDisplay->position(), s.timeText));
  lblNumSamples->setText(TimeLabel(static_cast<int32_t>(s.visibleCount), s.timeText));
}

void TMain::FormMouseUp(Qt::MouseButton button, int x, int) {
  AnalyzerState& s = analyzerState;
  const std::optional<int32_t> v =
      MarkFromClick(x, scrlDisplay->position(), s.visibleCount, outerWidth());
  if (v) {
    if (button == Qt::LeftButton) s.mark1 = *v;
    if (button == Qt::RightButton) s.mark2 = *v;
    showMarkTimes();
  }
  redrawAndBlit();
}

}  // namespace korvalinx
