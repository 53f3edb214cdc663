#pragma once
// Port permission for the process: obtained once before the window exists,
// given up (on Windows) in the close sequence. Declared once here and defined
// by exactly one object library per executable:
//   korvalinx_permission_linux    the real port: direct access (iopl) or the
//                                 parport device, then no privilege kept
//   korvalinx_permission_virtual  the demo's virtual port: nothing to obtain
//   korvalinx_permission_windows  the zlportio driver service (Ddkint)

#include <functional>
#include <string>

namespace korvalinx {

// Shows a message with an OK button and returns when it has been confirmed.
using MessageFn = std::function<void(const std::string& text, const std::string& caption)>;

// The results of EnablePortAccess.
inline constexpr int kPortAccessGranted = 0;
// Refused: the reason went to `show` (or, when the driver refused the request,
// nothing); the program shows it and ends.
inline constexpr int kPortAccessRefused = 1;
// Linux: the process could not give up its privileges. The reason went to
// `show`, but nothing else may run, the toolkit least of all: the program
// ends at once.
inline constexpr int kPortAccessEndAtOnce = 2;

// Obtains permission for the byte port reads and writes of this process.
// Returns kPortAccessGranted when granted; otherwise the reason has been
// shown through `show` (or, when the driver refused the request, nothing).
// On Windows the driver is asked only on the NT family (the 9x family needs
// no grant), and `show` stays the driver unit's message function for the
// rest of the run: the messages of ShutdownDriver and IsWinNT go there too.
// On Linux call it before any other thread exists and before any toolkit
// code: the grant belongs to the calling thread and to the threads it starts
// afterwards (the capture's), capabilities can only be taken away from the
// calling thread, and a privileged start cuts the environment first.
int EnablePortAccess(const MessageFn& show);

// True when the process started with privileges (Linux: set-user-id or
// set-group-id, file or ambient capabilities, root). The toolkit then loads
// plugins only from the system's own folder.
bool StartedPrivileged();

// Which way to the port is in use, for the user: "virtual port (demo)",
// "zlportio driver", or on Linux the parport device or direct I/O and the
// port base.
std::string PortAccessInUse();

// Where the port's notices go (Linux: the parport device busy, denied or
// gone). `notice` may be called from the thread that captures. Nothing on the
// other ports, which have no notices.
void RoutePortNotices(const MessageFn& notice);

// True on the Windows NT family, where the driver service is in use; false on
// Linux, which needs no driver.
bool IsWinNT();

// Stops and removes the driver service at the end of a run (Windows); nothing
// on Linux.
void ShutdownDriver();

}  // namespace korvalinx
