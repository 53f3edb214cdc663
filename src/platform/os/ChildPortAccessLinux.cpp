#include <cerrno>

#include "platform/os/ChildPortAccess.h"

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#endif

namespace korvalinx {

void GiveUpPortAccessInChild() {
#if defined(__x86_64__) || defined(__i386__)
  const int saved = errno;
  // Lowering the level and clearing bits need no privilege. 65536 ports: the
  // whole bitmap, whichever ports the parent had opened.
  iopl(0);
  ioperm(0, 65536, 0);
  errno = saved;
#endif
}

}  // namespace korvalinx
