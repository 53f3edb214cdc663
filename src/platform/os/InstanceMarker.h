#pragma once

#include <string>

namespace korvalinx {

// Takes the system-wide marker of a running instance under `name`. Returns
// false when another process already holds that name, true otherwise; when the
// marker cannot be created for any other reason the program runs unguarded
// (true). The marker is never released by the program: the system releases it
// when the process ends.
bool AcquireInstanceMarker(const std::string& name);

}  // namespace korvalinx
