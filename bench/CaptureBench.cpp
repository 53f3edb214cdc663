// CaptureSamples of the whole buffer against the bare loop it must not be
// much slower than: the same number of ReadPort calls stored into the buffer.
// The port is an instant in-memory one, so loop overhead shows.

#include <benchmark/benchmark.h>

#include "acquire/CaptureSamples.h"
#include "core/AnalyzerState.h"
#include "port/Port.h"

namespace korvalinx {
namespace {

void BM_BareReadLoop(benchmark::State& state) {
  uint8_t* const samples = analyzerState.buffer.data();
  const int32_t port = analyzerState.portBase;
  for (auto _ : state) {
    for (int32_t i = 0; i < kCaptureBufferSize; ++i) samples[i] = ReadPort(port);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCaptureBufferSize);
}
BENCHMARK(BM_BareReadLoop)->Unit(benchmark::kMicrosecond);

void BM_CaptureSamples(benchmark::State& state) {
  // Time base 0: the edge wait makes one comparison, so the capture loop is
  // what is measured.
  analyzerState.microsPerRead = 0.0;
  for (auto _ : state) {
    CaptureSamples(0, 0, 0x01, kCaptureBufferSize);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCaptureBufferSize);
}
BENCHMARK(BM_CaptureSamples)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvalinx

BENCHMARK_MAIN();
