// The full repaint and the incremental redraw of the display in a 1920 x 1080
// window, for a view of 819,200 samples with every channel changing on every
// sample (the most the traces can hold) and for a view of 100 samples. The
// port is an instant in-memory one, so only the drawing is measured.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <vector>

#include "core/AnalyzerState.h"
#include "view/Canvas.h"
#include "view/PaintDisplay.h"
#include "view/PlotFrame.h"
#include "view/RedrawView.h"

namespace korvalinx {
namespace {

constexpr DisplaySize kWindow{1920, 1080};

const std::vector<uint8_t>& AllToggling() {
  static const std::vector<uint8_t> samples = [] {
    std::vector<uint8_t> s(kCaptureBufferSize);
    for (int32_t i = 0; i < kCaptureBufferSize; ++i) s[i] = (i & 1) ? 0xFF : 0x00;
    return s;
  }();
  return samples;
}

// The client area: the outer size less frame, caption and menu bar.
QImage ClientSurface() {
  return QImage(1912, 1034, QImage::Format_RGB32);
}

void BM_PaintDisplay(benchmark::State& state) {
  const auto count = static_cast<int32_t>(state.range(0));
  QImage surface = ClientSurface();
  Canvas canvas(&surface);
  const DisplayColours colours;
  for (auto _ : state) {
    PaintDisplay(canvas, kWindow, colours, AllToggling().data(), 0, count, count / 4, count / 2,
                 0x378);
    benchmark::DoNotOptimize(surface.constBits());
  }
}
BENCHMARK(BM_PaintDisplay)->Arg(819200)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_RedrawView(benchmark::State& state) {
  // Each redraw erases the view drawn before and draws the next one, as a
  // scroll by one step does.
  const auto count = static_cast<int32_t>(state.range(0));
  QImage surface = ClientSurface();
  Canvas canvas(&surface);
  const DisplayColours colours;
  DrawPlotFrame(canvas, kWindow, colours);
  PreviousView previous{0, count, -1, -1};
  int32_t first = 0;
  for (auto _ : state) {
    first = first == 0 ? 1 : 0;
    RedrawView(canvas, kWindow, colours, AllToggling().data(), previous, first, count,
               first + count / 4, first + count / 2);
    DrawChannelLines(canvas, kWindow, colours.background);
    benchmark::DoNotOptimize(surface.constBits());
  }
}
BENCHMARK(BM_RedrawView)->Arg(819200)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvalinx

// Text needs a GUI application; nothing is shown, so offscreen serves.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
