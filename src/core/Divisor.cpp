#include "core/Divisor.h"

#include "core/NumberParse.h"

namespace korvalinx {

void UpdateDivisorFromText(AnalyzerState& state, std::string_view text) {
  state.divisor = static_cast<uint32_t>(ParseDecimal(text));
}

}  // namespace korvalinx
