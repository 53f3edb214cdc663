// What the real-port backend tells the rest of the program about its way to
// the port.

#include "port/backends/HardwareAccess.h"

#include <cstdio>

#include "core/AnalyzerState.h"
#include "port/backends/HardwareChoice.h"

namespace korvalinx {

bool ParportDeviceListed() {
#if defined(__linux__)
  return hardware::Parports().anyListed();
#else
  return false;
#endif
}

std::string PortAccessDescription() {
  const auto base = static_cast<uint16_t>(analyzerState.portBase);
#if defined(__linux__)
  if (!hardware::directAccess) return hardware::Parports().describe(base);
#endif
  char text[64];
  std::snprintf(text, sizeof text, "direct I/O instructions, port base 0x%X",
                static_cast<unsigned>(base));
  return text;
}

void SetPortNoticeFn(PortNoticeFn notice) {
#if defined(__linux__)
  hardware::Parports().setNoticeFn(std::move(notice));
#else
  (void)notice;
#endif
}

}  // namespace korvalinx
