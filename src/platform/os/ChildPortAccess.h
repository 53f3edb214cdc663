#pragma once
// Port access must not pass to the programs this process starts (an editor
// showing the help text): whatever direct I/O permission the process holds
// is given up in the child between fork and exec. Async-signal-safe: two
// system calls and nothing else. Their errors are ignored, as a process
// without port access has nothing to give up.

#if defined(__linux__) && (defined(__x86_64__) || defined(__i386__))
#include <sys/io.h>
#endif

namespace korvalinx {

inline void GiveUpPortAccessInChild() {
#if defined(__linux__) && (defined(__x86_64__) || defined(__i386__))
  (void)iopl(0);
  (void)ioperm(0, 65536, 0);
#endif
}

}  // namespace korvalinx
