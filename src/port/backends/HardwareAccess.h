#pragma once
// How the real-port program reaches the parallel port. Two ways, chosen once
// at start-up before the first port access:
//   - the kernel's parport devices (/dev/parportN through ppdev): the
//     default, no privilege needed, a system call per access;
//   - direct in/out instructions: only when the process was granted access to
//     the whole I/O space (iopl), the fastest.
// ReadPort/WritePort (Port.h) dispatch on that choice with one predictable
// branch.

#include <functional>
#include <string>

namespace korvalinx {

// Start-up, after a successful iopl: every later access is an in/out
// instruction.
void UseDirectPortAccess();

// True when the kernel lists at least one parport device, so that the device
// way can work at all.
bool ParportDeviceListed();

// What is in use, for the user: the device path and the base it serves, or
// direct I/O and its base.
std::string PortAccessDescription();

// Where the device way reports a device that is busy, denied or gone (once
// for each device and reason). May be called from the thread that captures.
using PortNoticeFn = std::function<void(const std::string& text, const std::string& caption)>;
void SetPortNoticeFn(PortNoticeFn notice);

}  // namespace korvalinx
