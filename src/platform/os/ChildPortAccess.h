#pragma once

namespace korvalinx {

// Gives up the I/O privilege level and any I/O port bitmap of the calling
// thread, both of which survive fork and exec: a program that the analyser
// starts (the help viewer) must start without port access.
//
// Runs in the child between fork and exec (a child-process modifier), so it
// is async-signal-safe: two system calls, errors ignored (there is nothing to
// give up when the process never had port access), errno kept. Does nothing
// where there is no port access to give up (Windows, Linux off x86).
void GiveUpPortAccessInChild();

}  // namespace korvalinx
