// Importing a Tallymark event file of 10,000,000 records (70 MB). The file is
// made once in a temporary folder; the first run brings it into the page
// cache, so the runs measured read from memory. Target: within 0.5 s.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/AnalyzerState.h"
#include "files/EventFile.h"
#include "files/EventImporter.h"

namespace korvalinx {
namespace {

constexpr size_t kRecords = 10'000'000;

// Ten events per time unit, on rotating channels, so every record lands in
// the buffer and the samples are filled in order.
std::vector<uint8_t> MakeRecords() {
  std::vector<uint8_t> bytes(kRecords * kEventRecordSize);
  for (size_t i = 0; i < kRecords; ++i) {
    uint8_t* r = &bytes[i * kEventRecordSize];
    const uint32_t time = 1000 + static_cast<uint32_t>(i / 10);
    r[0] = (i / 8) % 2 == 0 ? 2 : 4;
    r[1] = 0;
    r[2] = static_cast<uint8_t>(i % 8);
    r[3] = static_cast<uint8_t>(time);
    r[4] = static_cast<uint8_t>(time >> 8);
    r[5] = static_cast<uint8_t>(time >> 16);
    r[6] = static_cast<uint8_t>(time >> 24);
  }
  return bytes;
}

class EventFileFixture {
 public:
  EventFileFixture() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvalinx-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    path_ = (folder_ / "events.evt").string();
    const std::vector<uint8_t> bytes = MakeRecords();
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
      std::abort();
    }
    std::fclose(file);
  }
  ~EventFileFixture() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::filesystem::path folder_;
  std::string path_;
};

void BM_ImportEventFile(benchmark::State& state) {
  static EventFileFixture fixture;
  static std::vector<uint8_t> samples(kCaptureBufferSize);
  // Warm the page cache outside the measured runs.
  if (!ImportEventFile(fixture.path(), samples.data())) state.SkipWithError("import failed");
  for (auto _ : state) {
    std::fill(samples.begin(), samples.end(), 0);
    if (!ImportEventFile(fixture.path(), samples.data())) state.SkipWithError("import failed");
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kRecords * kEventRecordSize));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kRecords));
}
BENCHMARK(BM_ImportEventFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same records from memory: what the record rules cost without reading.
void BM_EventImporterFromMemory(benchmark::State& state) {
  static const std::vector<uint8_t> bytes = MakeRecords();
  static std::vector<uint8_t> samples(kCaptureBufferSize);
  for (auto _ : state) {
    std::fill(samples.begin(), samples.end(), 0);
    EventImporter importer(samples.data());
    importer.feed(bytes.data(), bytes.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_EventImporterFromMemory)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvalinx

BENCHMARK_MAIN();
