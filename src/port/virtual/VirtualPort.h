#pragma once
// What the virtual port tells beyond ReadPort/WritePort (defined in
// VirtualPort.cpp for the demo executable).

#include <cstdint>

namespace korvalinx::demo {

// The signal time (nanoseconds since the program started) that the last
// ReadPort stood for: the data register returned DemoLines of this instant.
int64_t LastReadSignalNs();

}  // namespace korvalinx::demo
