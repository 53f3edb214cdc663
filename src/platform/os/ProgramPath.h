#pragma once

#include <string>

namespace korvalinx {

// The full path of the running program file, as the system reports it
// (/proc/self/exe on Linux, the module file name on Windows). Empty when the
// system cannot tell.
std::string ProgramPath();

}  // namespace korvalinx
