#pragma once

#include <string>
#include <string_view>

namespace korvalinx {

// The name of the single-instance marker, taken from the program's full path:
// the eight characters just before the last four (for "x.exe" those before
// the point), in upper case. Paths shorter than twelve characters give their
// first min(8, length) characters. Upper case means ASCII a-z on Linux (bytes
// of 0x80 and above unchanged) and the ANSI code page's conversion on Windows.
std::string InstanceName(std::string_view programPath);

}  // namespace korvalinx
