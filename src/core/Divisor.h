#pragma once
#include <string_view>

#include "core/AnalyzerState.h"

namespace korvalinx {

// What txtRate's change handler does: the divisor becomes the leading decimal
// integer of the text (0 when there is none), taken as unsigned 32-bit.
// Nothing is redrawn.
void UpdateDivisorFromText(AnalyzerState& state, std::string_view text);

}  // namespace korvalinx
