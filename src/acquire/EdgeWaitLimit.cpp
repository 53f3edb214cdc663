#include "acquire/EdgeWaitLimit.h"

#include <cmath>

namespace korvalinx {

int32_t EdgeWaitLimit(int32_t divisor, double microsPerRead) {
  const int32_t q = divisor != 0 ? 5000000 / divisor : 5000000;
  const long double product = static_cast<long double>(q) * microsPerRead;
  // Beyond the 64-bit range (or NaN) the x87 conversion gives the "integer
  // indefinite" 0x8000000000000000, whose low 32 bits are 0.
  if (!(std::fabs(product) < 9.2233720368547758e18L)) return 0;
  const auto t64 = static_cast<int64_t>(product);
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(t64)));
}

}  // namespace korvalinx
