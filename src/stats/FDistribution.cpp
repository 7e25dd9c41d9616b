#include "stats/FDistribution.h"

#include <cmath>

#include "stats/ErrorValue.h"
#include "stats/IncompleteBeta.h"
#include "stats/IterationCount.h"

namespace {

constexpr double kBisectionWidth = 1e-6;

bool BadDf(double df1, double df2) { return !(df1 >= 1 && df2 >= 1); }

double FCdfCounted(double f, double df1, double df2, IterationCount& count) {
  if (std::isnan(f) || f < 0 || BadDf(df1, df2)) return ErrorValue;
  if (f == 0) return 0;
  if (f >= 1e10) return 1;
  const double ib = IncompleteBeta(df2 / 2, df1 / 2, df2 / (df2 + f * df1), count);
  return IsInfiniteResult(ib) ? ErrorValue : 1 - ib;
}

// Start of the search: mean plus z standard deviations of F (defined for df2 > 4), with
// z from the normal approximation of Abramowitz and Stegun 26.2.22.
double StartValue(double p, double df1, double df2) {
  if (!(df2 > 4)) return 0;
  const double m = p < 0.5 ? p : 1 - p;
  const double w = std::sqrt(-std::log(m * m));
  double z = w - (2.30753 + 0.27061 * w) / (1 + 0.99229 * w + 0.04481 * w * w);
  if (p > 0.5) z = -z;
  const double g = z * std::sqrt(2 * df2 * df2 * (df1 + df2 - 2) / (df1 * (df2 - 2) * (df2 - 2) * (df2 - 4))) +
                   df2 / (df2 - 2);
  // Huge degrees of freedom overflow the variance; searching from 0 still works.
  return std::isfinite(g) && g > 0 ? g : 0;
}

}  // namespace

double FCdf(double f, double df1, double df2) {
  IterationCount count;
  return FCdfCounted(f, df1, df2, count);
}

double FQuantile(double p, double df1, double df2, IterationCount& count) {
  if (BadDf(df1, df2) || !(p >= 0 && p <= 1)) return ErrorValue;
  if (p == 0) return 0;
  if (p == 1) return INFINITY;
  int steps = 0;
  bool failed = false;
  // One FCdf evaluation of the search; an evaluation failure ends the search.
  auto cdf = [&](double f) {
    ++steps;
    ++count.passes;
    const double v = FCdfCounted(f, df1, df2, count);
    if (IsInfiniteResult(v)) failed = true;
    return v;
  };
  const double g = StartValue(p, df1, df2);
  double lo, hi;
  if (cdf(g) > p) {
    hi = g;
    lo = g / 2;
    while (!failed && steps < kFQuantileMaxSteps && cdf(lo) > p) lo /= 2;
  } else {
    lo = g;
    hi = g > 0 ? 2 * g : 1;
    while (!failed && steps < kFQuantileMaxSteps && !(cdf(hi) > p)) hi *= 2;
  }
  double mid = lo;
  bool done = false;
  while (!failed && !done && steps < kFQuantileMaxSteps) {
    mid = (lo + hi) / 2;
    if (cdf(mid) <= p)
      lo = mid;
    else
      hi = mid;
    // Above about 1e10 neighbouring doubles are more than the width apart, so the
    // midpoint stops moving before the width is reached.
    const double next = (lo + hi) / 2;
    done = !(hi - lo >= kBisectionWidth) || next == lo || next == hi;
  }
  if (failed || !done) return ErrorValue;
  return mid;
}

double FQuantile(double p, double df1, double df2) {
  IterationCount count;
  return FQuantile(p, df1, df2, count);
}
