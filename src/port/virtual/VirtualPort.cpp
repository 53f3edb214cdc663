// The demo's virtual parallel port: a 64 KiB register file whose data
// register carries the signal generator's eight lines. Every read takes the
// time of a real port read, so the calibration measures a true time base and
// the times and frequencies that the analyser shows are those of the
// generated signals.

#include "port/virtual/VirtualPort.h"

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <chrono>

#include "core/AnalyzerState.h"
#include "port/Port.h"
#include "port/virtual/ReadPacer.h"
#include "port/virtual/SignalGenerator.h"

namespace korvalinx {
namespace {

// steady_clock is read through the vDSO on Linux: no system call per read.
// The thread's own counts take a few system calls; the pacer asks for them
// only when a loop of reads was interrupted or has ended.
struct SteadyClock {
  static int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  static demo::ThreadUse Thread() {
    demo::ThreadUse use;
    use.thread = static_cast<uintptr_t>(::gettid());  // not soon reused, unlike a thread's address
    // The thread's processor clock is brought up to date when it is read;
    // getrusage alone would give the time as of the last scheduler tick.
    timespec cpu{};
    rusage r{};
    if (::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu) == 0 &&
        ::getrusage(RUSAGE_THREAD, &r) == 0) {
      use.cpuNs = static_cast<int64_t>(cpu.tv_sec) * 1'000'000'000 + cpu.tv_nsec;
      use.blocks = r.ru_nvcsw;
    } else {
      use.cpuNs = NowNs();  // unknown: as if the thread had run all the time
    }
    return use;
  }
};

// Signal time 0: when the program started.
const int64_t startNs = SteadyClock::NowNs();

std::array<uint8_t, 0x10000> registers = [] {
  std::array<uint8_t, 0x10000> r{};
  r.fill(0xFF);  // an address nothing was written to reads as a floating bus
  return r;
}();

demo::ReadPacer<SteadyClock> pacer;

}  // namespace

uint8_t ReadPort(int32_t port) {
  const auto address = static_cast<uint16_t>(port);
  const auto dataRegister = static_cast<uint16_t>(analyzerState.portBase);
  return pacer.Read([address, dataRegister](int64_t nowNs) -> uint8_t {
    return address == dataRegister ? demo::DemoLines(nowNs - startNs) : registers[address];
  });
}

void WritePort(int32_t port, uint8_t value) {
  registers[static_cast<uint16_t>(port)] = value;
}

int64_t demo::LastReadSignalNs() {
  return pacer.LastReadNs() - startNs;
}

}  // namespace korvalinx
