#pragma once

namespace korvalinx {

// True only on the Windows 9x family, where the capture may mask interrupts.
// Always false on Linux, where user code never masks interrupts.
bool IsWin9x();

}  // namespace korvalinx
