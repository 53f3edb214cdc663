#pragma once
#include <cstdint>

namespace korvalinx {

// The most comparisons the edge wait makes, less one: 5,000,000 / divisor
// sample periods (5,000,000 for divisor 0) times the time base, in extended
// precision, truncated to 64 bits of which the low 32 are taken as signed.
int32_t EdgeWaitLimit(int32_t divisor, double microsPerRead);

}  // namespace korvalinx
