#pragma once
#include <string>

namespace korvalinx {

// Asks the desktop to open `fileName`, resolved against the current folder,
// in its text editor. Whether that works is not examined.
void OpenInTextEditor(const std::string& fileName);

}  // namespace korvalinx
