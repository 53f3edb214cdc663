// The price of a port read through the kernel's parport device next to a
// direct one. A ppdev read (PPRDATA) is a system call whose driver then does
// the same in instruction a direct read does, so its cost is the direct read
// plus what is measured here:
//   - an ioctl round trip that the kernel answers at once (on /dev/null,
//     ENOTTY): entry, file lookup, dispatch and return;
//   - ParportIoSpace's own hot path around the device call (cached address,
//     generation check), with a device that answers without a system call;
//   - both together: the hot path over a real ioctl.
// No parallel port is needed.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "port/parport/ParportIoSpace.h"

namespace korvalinx {
namespace {

int DevNull() {
  static const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  return fd;
}

void BM_IoctlRoundTrip(benchmark::State& state) {
  unsigned char value = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(::ioctl(DevNull(), PPRDATA, &value));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IoctlRoundTrip);

// A device whose register reads are either instant or a real ioctl.
class BenchDevice final : public ParportDevice {
 public:
  explicit BenchDevice(bool systemCall) : systemCall_(systemCall) {}
  int open(const std::string&) override { return DevNull(); }
  void close(int) override {}
  int exclusive(int) override { return 0; }
  int claim(int) override { return 0; }
  int release(int) override { return 0; }
  int setMode(int, ParportMode) override { return 0; }
  int setDataReverse(int, bool) override { return 0; }
  int read(int fd, ParportRegister, std::uint8_t& value) override {
    if (systemCall_) {
      unsigned char byte = 0;
      ::ioctl(fd, PPRDATA, &byte);  // ENOTTY: counted as a read of 0
      value = byte;
    } else {
      value = 0x5A;
    }
    return 0;
  }
  int write(int, ParportRegister, std::uint8_t) override { return 0; }
  std::string groupName(const std::string&) override { return {}; }
  std::int64_t nowMs() override { return 0; }

 private:
  bool systemCall_;
};

// A listing with one port at 0x378, in a folder of its own.
std::filesystem::path ListingRoot() {
  static const std::filesystem::path root = [] {
    const auto path = std::filesystem::temp_directory_path() / "korvalinx-parport-bench";
    std::filesystem::create_directories(path / "proc/sys/dev/parport/parport0");
    std::ofstream(path / "proc/sys/dev/parport/parport0/base-addr") << "888\t1912\n";
    return path;
  }();
  return root;
}

void ReadThroughSpace(benchmark::State& state, bool systemCall) {
  BenchDevice device(systemCall);
  ParportIoSpace space(device, ListingRoot());
  space.read(0x378);  // open, claim and cache the route
  for (auto _ : state) benchmark::DoNotOptimize(space.read(0x378));
  state.SetItemsProcessed(state.iterations());
}

void BM_HotPathWithoutSystemCall(benchmark::State& state) {
  ReadThroughSpace(state, false);
}
BENCHMARK(BM_HotPathWithoutSystemCall);

void BM_HotPathWithIoctl(benchmark::State& state) {
  ReadThroughSpace(state, true);
}
BENCHMARK(BM_HotPathWithIoctl);

}  // namespace
}  // namespace korvalinx

BENCHMARK_MAIN();
