#include "files/TransitionReport.h"

#include <algorithm>
#include <cstdio>

#include "files/AtomicFileWrite.h"

namespace korvalinx {

std::array<uint8_t, kChangeCounterCount> changeCounters{};

FileResult WriteTransitionReport(const std::string& path, const uint8_t* samples, int32_t mark1,
                                 int32_t mark2) {
  // Sample mark2 + 1 is compared too, so the last index that may be counted
  // is one before the end of the buffer.
  const int32_t first = std::max<int32_t>(mark1, 0);
  const int32_t last = std::min<int32_t>(mark2, kCaptureBufferSize - 2);

  for (int32_t i = first; i <= last; ++i) {
    const uint8_t changed = samples[i] ^ samples[i + 1];
    uint8_t* counters = &changeCounters[static_cast<size_t>(i) * 8];
    for (int b = 0; b < 8; ++b) counters[b] += (changed >> b) & 1;
  }

  std::string report;
  for (int b = 0; b < 8; ++b) {
    int sum = 0;
    for (int32_t i = first; i <= last; ++i) {
      uint8_t& counter = changeCounters[static_cast<size_t>(i) * 8 + b];
      sum += counter;
      counter = 0;
    }
    char line[48];
    std::snprintf(line, sizeof line, "Ch[%01d]: %d Changes\n", b, sum);
    report += line;
  }
  return WriteFileAtomically(path, report);
}

}  // namespace korvalinx
