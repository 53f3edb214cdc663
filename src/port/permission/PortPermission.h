#pragma once
// Port permission for the process: obtained once before the window exists,
// given up (on Windows) in the close sequence. Declared once here and defined
// by exactly one object library per executable:
//   korvalinx_permission_linux    the real port: iopl, then all capabilities dropped
//   korvalinx_permission_virtual  the demo's virtual port: nothing to obtain
//   korvalinx_permission_windows  the zlportio driver service (Ddkint)

#include <functional>
#include <string>

namespace korvalinx {

// Shows a message with an OK button and returns when it has been confirmed.
using MessageFn = std::function<void(const std::string& text, const std::string& caption)>;

// Obtains permission for the byte port reads and writes of this process.
// Returns 0 when granted; otherwise the reason has been shown through `show`
// (or, when the driver refused the request, nothing) and the result is not 0.
// On Windows the driver is asked only on the NT family (the 9x family needs
// no grant), and `show` stays the driver unit's message function for the
// rest of the run: the messages of ShutdownDriver and IsWinNT go there too.
// On Linux call it on the thread that reads the port and before any other
// thread exists: the grant is per thread, and capabilities can only be taken
// away from the calling thread.
int EnablePortAccess(const MessageFn& show);

// True on the Windows NT family, where the driver service is in use; false on
// Linux, which needs no driver.
bool IsWinNT();

// Stops and removes the driver service at the end of a run (Windows); nothing
// on Linux.
void ShutdownDriver();

}  // namespace korvalinx
