#include "view/TraceColumnRule.h"

#include <algorithm>

namespace korvalinx {

TraceColumnRule::TraceColumnRule(int width, int32_t count)
    : step_(static_cast<long double>(static_cast<float>(width - 81)) /
            static_cast<long double>(count)) {}

int64_t TraceColumnRule::nextColumnStart(int64_t j, int64_t limit) const {
  const int x = column(j);
  // The columns never decrease with j, so start from the estimate of where
  // the next pixel begins and walk to the exact boundary.
  const long double estimate = static_cast<long double>(x + 1 - 61) / step_;
  int64_t k = estimate >= static_cast<long double>(limit)
                  ? limit
                  : std::max<int64_t>(j + 1, static_cast<int64_t>(estimate));
  while (k > j + 1 && column(k - 1) > x) --k;
  while (k < limit && column(k) <= x) ++k;
  return k;
}

}  // namespace korvalinx
