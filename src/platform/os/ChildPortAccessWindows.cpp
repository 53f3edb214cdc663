#include "platform/os/ChildPortAccess.h"

namespace korvalinx {

// Port permission on Windows belongs to the process that asked the driver
// for it; a started program does not inherit it.
void GiveUpPortAccessInChild() {}

}  // namespace korvalinx
