#pragma once
#include <cstdint>

namespace korvalinx {

inline constexpr int32_t kControlRegisterOffset = 2;
inline constexpr int32_t kExtendedControlOffset = 0x402;

// Byte mode in the ECP control register, then the direction bit: the data
// lines become inputs. Uses the port base current at the call.
void SetInputMode();

// Standard mode, then all control bits 0: the data lines are outputs again.
void RestorePortMode();

}  // namespace korvalinx
