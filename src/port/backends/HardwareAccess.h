#pragma once
// How the real-port program reaches the parallel port. Two ways, chosen once
// at start-up before the first port access:
//   - the kernel's parport devices (/dev/parportN through ppdev): the
//     default, no privilege needed, a system call per access;
//   - direct in/out instructions: only when the process was granted access to
//     the whole I/O space (iopl), the fastest.
// ReadPort/WritePort (Port.h) dispatch on that choice with one predictable
// branch. On Windows only the direct way exists.

#include <functional>
#include <string>

namespace korvalinx {

// Start-up, after a successful iopl and before any other thread starts:
// every later access is an in/out instruction.
void UseDirectPortAccess();

// True when the kernel lists at least one parallel port
// (/proc/sys/dev/parport/parportN), so that the device way can work at all.
bool ParportDeviceListed();

// What is in use, for the user: "/dev/parport0 (ppdev), port base 0x378",
// "direct I/O instructions, port base 0x378", or "no parallel port device
// for port base 0x278". Uses the port base current at the call.
std::string PortAccessDescription();

// Where the device way reports a device that is busy, denied, missing or
// gone (once for each device and reason, text and caption). May be called
// from the thread that captures: the function must not touch widgets itself.
using PortNoticeFn = std::function<void(const std::string& text, const std::string& caption)>;
void SetPortNoticeFn(PortNoticeFn notice);

}  // namespace korvalinx
