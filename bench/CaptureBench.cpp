// CaptureSamples of the whole buffer against the bare loop it must not be
// much slower than: the same number of ReadPort calls stored into the buffer,
// each sample followed by `divisor` discarded reads (the argument). The port
// is an instant in-memory one, so loop overhead shows, including the capture
// loop's look for a stop request once per 65,536 reads.
//
//   build/default/bench/bench_capture --benchmark_repetitions=10
//       --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include "acquire/CaptureSamples.h"
#include "acquire/CaptureStop.h"
#include "core/AnalyzerState.h"
#include "port/Port.h"

namespace korvalinx {
namespace {

void BM_BareReadLoop(benchmark::State& state) {
  const auto divisor = static_cast<int32_t>(state.range(0));
  uint8_t* const samples = analyzerState.buffer.data();
  const int32_t port = analyzerState.portBase;
  for (auto _ : state) {
    for (int32_t i = 0; i < kCaptureBufferSize; ++i) {
      samples[i] = ReadPort(port);
      for (int32_t d = 0; d < divisor; ++d) (void)ReadPort(port);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCaptureBufferSize);
}
BENCHMARK(BM_BareReadLoop)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_CaptureSamples(benchmark::State& state) {
  const auto divisor = static_cast<int32_t>(state.range(0));
  // Time base 0: the edge wait makes one comparison, so the capture loop is
  // what is measured.
  analyzerState.microsPerRead = 0.0;
  ClearCaptureStop();
  for (auto _ : state) {
    CaptureSamples(0, divisor, 0x01, kCaptureBufferSize);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCaptureBufferSize);
}
BENCHMARK(BM_CaptureSamples)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvalinx

BENCHMARK_MAIN();
