// How long a running capture takes to end after a stop request, through the
// demo's virtual port, whose reads take a real port read's 0.6666 us. The
// capture runs on a thread of its own, as in the program; the stop is asked
// 20 to 60 ms into it, so it falls anywhere in the 65,536 reads between two
// looks. The time reported is from the request to the capture's return
// (thread joined): the mean, the median and the slowest of the iterations.
//
//   build/default/bench/bench_capture_stop

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "acquire/CaptureSamples.h"
#include "acquire/CaptureStop.h"
#include "core/AnalyzerState.h"

namespace korvalinx {
namespace {

using Clock = std::chrono::steady_clock;

void StopLatency(benchmark::State& state, int32_t delay, int32_t divisor, int32_t mask,
                 int32_t count) {
  analyzerState.microsPerRead = 0.6666;  // the default time base
  std::mt19937 random(1);
  std::uniform_int_distribution<int> startMs(20, 60);
  std::vector<double> latencies;
  for (auto _ : state) {
    ClearCaptureStop();
    std::thread capture([=] { CaptureSamples(delay, divisor, mask, count); });
    std::this_thread::sleep_for(std::chrono::milliseconds(startMs(random)));
    const auto asked = Clock::now();
    RequestCaptureStop();
    capture.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - asked).count();
    latencies.push_back(seconds);
    state.SetIterationTime(seconds);
  }
  std::sort(latencies.begin(), latencies.end());
  state.counters["median_ms"] = latencies[latencies.size() / 2] * 1000;
  state.counters["max_ms"] = latencies.back() * 1000;
}

// Channel 8 of the demo is a 10 kHz square wave: never quiet for this long.
void BM_StopQuietWait(benchmark::State& state) {
  StopLatency(state, INT32_MAX, 0, 0x80, 1000);
}
// The whole buffer at full rate takes 0.7 s.
void BM_StopCaptureLoop(benchmark::State& state) {
  StopLatency(state, 0, 0, 0x01, kCaptureBufferSize);
}
// The longest sample period: 2,147,483,648 reads, about 24 minutes a sample.
void BM_StopCaptureLoopLongestDivisor(benchmark::State& state) {
  StopLatency(state, 0, INT32_MAX, 0x01, kCaptureBufferSize);
}

BENCHMARK(BM_StopQuietWait)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StopCaptureLoop)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StopCaptureLoopLongestDivisor)
    ->UseManualTime()
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvalinx

BENCHMARK_MAIN();
