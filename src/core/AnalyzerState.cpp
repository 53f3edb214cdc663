#include "core/AnalyzerState.h"

namespace korvalinx {

AnalyzerState analyzerState;

}  // namespace korvalinx
