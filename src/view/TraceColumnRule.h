#pragma once
// Where sample steps land on the screen. The step S = (W - 81) / N is formed
// in extended precision from W - 81 rounded to a float, and column j is
// trunc(j*S + 61). Where j*(W - 81)/N is whole the column can come out one
// pixel left of the exact quotient; the traces and their erasure must agree
// on it, so every caller goes through here.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace korvalinx {

class TraceColumnRule {
 public:
  // Needs width > 81 and count >= 1.
  TraceColumnRule(int width, int32_t count);

  // x(j).
  int column(int64_t j) const { return at(j, 61.0L); }
  // The right edge (excluded) of the square that marks sample j + 1.
  int squareRight(int64_t j) const { return at(j, 63.0L); }

  // The first k > j with column(k) > column(j), or `limit` if there is none
  // below it. Needs j < limit.
  int64_t nextColumnStart(int64_t j, int64_t limit) const;

 private:
  int at(int64_t j, long double offset) const {
    // Truncated toward zero; a column beyond the int range (a window wider
    // than any screen) is kept at its end, far off the surface.
    const auto x = static_cast<int64_t>(static_cast<long double>(j) * step_ + offset);
    return static_cast<int>(std::min<int64_t>(x, std::numeric_limits<int>::max()));
  }
  long double step_;
};

}  // namespace korvalinx
