#include "port/PortMode.h"

#include "core/AnalyzerState.h"
#include "port/Port.h"

namespace korvalinx {

void SetInputMode() {
  const int32_t base = analyzerState.portBase;
  WritePort(base + kExtendedControlOffset, 0x20);
  WritePort(base + kControlRegisterOffset, 0x20);
}

void RestorePortMode() {
  const int32_t base = analyzerState.portBase;
  WritePort(base + kExtendedControlOffset, 0x00);
  WritePort(base + kControlRegisterOffset, 0x00);
}

}  // namespace korvalinx
