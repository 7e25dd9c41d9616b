#include "stats/StudentT.h"

#include <cmath>

#include "stats/ErrorValue.h"
#include "stats/IncompleteBeta.h"
#include "stats/Normal.h"

namespace {

constexpr double kHalfPi = 1.57079633;

// The quantile for df 1 and 2, where the distribution function inverts exactly.
double SmallDfQuantile(double p, double n) {
  if (n == 2) return std::sqrt(2 / (p * (2 - p)) - 2);
  if (n == 1) return 1 / std::tan(p * kHalfPi);
  return 0;
}

// Hill's series for n > 2: a Cornish-Fisher expansion about the normal quantile in
// the body, a direct expansion in the far tail (small x^(2/n)).
double HillQuantile(double p, double n) {
  const double a = 1 / (n - 0.5);
  const double b = 48 / (a * a);
  double c = ((20700 * a / b - 98) * a - 16) * a + 96.36;
  const double d = ((94.5 / (b + c) - 3) / b + 1) * std::sqrt(a * kHalfPi) * n;
  double x = d * p;
  double y = std::pow(x, 2 / n);
  if (y > a + 0.05) {
    // The expansion is in the lower-tail (negative) normal deviate, as Hill publishes
    // it; the upper-tail one makes the odd-order terms add where they should cancel,
    // costing two more significant digits for df below 10.
    x = -NormalUpperQuantile(p / 2);
    y = x * x;
    if (n < 5) c = c + 0.3 * (n - 4.5) * (x + 0.6);
    c = (((0.05 * d * x - 5) * x - 7) * x - 2) * x + b + c;
    y = (((((0.4 * y + 6.3) * y + 36) * y + 94.5) / c - y - 3) / b + 1) * x;
    y = a * y * y;
    y = y > 0.002 ? std::exp(y) - 1 : y + 0.5 * y * y;
  } else {
    y = ((1 / (((n + 6) / (n * y) - 0.089 * d - 0.822) * (n + 2) * 3) + 0.5 / (n + 4)) * y - 1) * (n + 1) / (n + 2) +
        1 / y;
  }
  return std::sqrt(n * y);
}

}  // namespace

double TTwoTailProb(double t, double df) {
  if (std::isnan(t) || !(df > 0)) return ErrorValue;
  if (t == 0) return 1;
  if (t >= 1e10) return 0;
  return IncompleteBeta(df / 2, 0.5, df / (df + t * t));
}

double TTwoTailQuantile(double p, double df) {
  if (std::isnan(p) || std::isnan(df)) return ErrorValue;
  if (p < 0 || p > 1) return 0;
  if (p == 0) p = 0.0;  // -0 would turn the df 1 and 2 forms into -infinity and not-a-number
  if (df == INFINITY) return NormalUpperQuantile(p / 2);
  if (df <= 2) return df == std::floor(df) ? SmallDfQuantile(p, df) : 0;
  const double t = HillQuantile(p, df);
  return std::isnan(t) ? ErrorValue : t;
}

double TUpperQuantile(double p, double df) {
  if (std::isnan(p) || std::isnan(df)) return ErrorValue;
  if (p > 0.5) return -TTwoTailQuantile(2 * (1 - p), df);
  return TTwoTailQuantile(2 * p, df);
}

double TLowerQuantile(double p, double df) { return TUpperQuantile(1 - p, df); }
