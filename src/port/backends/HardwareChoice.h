#pragma once
// Inside the real-port backend: which way to the port is in use, and the
// parport devices' address space (Linux).

#if defined(__linux__)
#include "port/parport/ParportIoSpace.h"
#endif

namespace korvalinx::hardware {

// Set once at start-up, before any other thread runs: true when every access
// is an in/out instruction.
extern bool directAccess;

#if defined(__linux__)
// Lives until the end of the process; its destruction gives back every port
// still held (File, Exit ends the process without the restore).
ParportIoSpace& Parports();
#endif

}  // namespace korvalinx::hardware
