#include "stats/ChiSquared.h"

#include <algorithm>
#include <cmath>

#include "stats/ErrorValue.h"
#include "stats/IterationCount.h"
#include "stats/LogGamma.h"
#include "stats/Normal.h"

namespace {

constexpr double kGammaAccuracy = 1e-8;
constexpr double kQuantileTolerance = 1e-8;
constexpr double kLn2 = 0.69314718056;
constexpr double kRescaleAbove = 0x1p+512;
constexpr double kRescaleBy = 0x1p-512;

// Series for P(s, x): factor / s · Σ x^k / ((s + 1) ... (s + k)). Not-a-number (the
// caller's ErrorValue) when it has not settled within the bound; so for the fraction.
double GammaSeries(double x, double s, double factor, IterationCount& count) {
  double g = 1, term = 1, r = s;
  long n = 0;
  do {
    r += 1;
    term *= x / r;
    g += term;
    ++n;
  } while (term > kGammaAccuracy && n < kGammaMaxTerms);
  count.passes += n;
  if (term > kGammaAccuracy) return NAN;
  return g * factor / s;
}

// Legendre's continued fraction for the upper tail Q(s, x) = factor · g. The
// convergents grow by about a factor x per term; for large s with x near s they would
// overflow long before the fraction settles (df above about 20000), so they are scaled
// down together by an exact power of two whenever they get large: the quotients, and
// so every result that settles without the scaling, stay bit for bit the same.
double GammaFraction(double x, double s, double factor, IterationCount& count) {
  double a = 1 - s;
  double b = a + x + 1;
  double k = 0;
  double p1 = 1, p2 = x, p3 = x + 1, p4 = x * b;
  double g = p3 / p4;
  bool settled = false;
  long n = 0;
  for (; n < kGammaMaxTerms && !settled; ++n) {
    ++count.passes;
    a += 1;
    b += 2;
    k += 1;
    const double an = a * k;
    const double p5 = b * p3 - an * p1;
    const double p6 = b * p4 - an * p2;
    if (p6 != 0) {
      const double rn = p5 / p6;
      if (!std::isfinite(rn)) {  // a convergent overflowed within one term (x near the largest double)
        settled = true;
        break;
      }
      const double dif = std::fabs(g - rn);
      if (dif > kGammaAccuracy)
        g = rn;
      else if (dif / rn <= 1.00000001)
        settled = true;
    }
    p1 = p3;
    p2 = p4;
    p3 = p5;
    p4 = p6;
    if (std::fabs(p5) > kRescaleAbove || std::fabs(p6) > kRescaleAbove) {
      p1 *= kRescaleBy;
      p2 *= kRescaleBy;
      p3 *= kRescaleBy;
      p4 *= kRescaleBy;
    }
  }
  if (!settled) return NAN;
  return 1 - factor * g;
}

}  // namespace

double ChiSquaredHalfCdf(double x, double df, IterationCount& count) {
  if (std::isnan(x) || std::isnan(df)) return ErrorValue;
  if (df < 1 || x < 0) return 0;
  if (x == INFINITY) return 1;
  const double s = df / 2;
  const double factor = std::exp(s * std::log(x) - x - LogGamma(s));
  if (std::isnan(factor)) return ErrorValue;
  const double result = (x <= 1 || x < s) ? GammaSeries(x, s, factor, count) : GammaFraction(x, s, factor, count);
  return std::isnan(result) ? ErrorValue : result;
}

double ChiSquaredHalfCdf(double x, double df) {
  IterationCount count;
  return ChiSquaredHalfCdf(x, df, count);
}

double ChiSquaredQuantile(double p, int df, IterationCount& count) {
  if (df < 1 || !(p >= 0 && p <= 1)) return ErrorValue;
  if (p == 0) return 0;
  if (p == 1) return INFINITY;
  const double xx = df / 2.0;
  const double c = xx - 1;
  const double g = LogGamma(xx);
  double ch;
  if (df < -1.24 * std::log(p)) {
    // Small p: invert the leading term of the series, P ≈ (ch/2)^xx / Γ(xx + 1).
    const double inner = p * xx * std::exp(g + xx * kLn2);
    if (std::isfinite(inner) && inner > 0)
      ch = std::pow(inner, 1 / xx);
    else  // the same value in logarithms when the product overflows or underflows
      ch = std::exp((std::log(p) + std::log(xx) + g + xx * kLn2) / xx);
    // (A value that underflowed to 0 is returned as it is: the steps below divide by it.)
    if (ch >= 0 && ch < 1e-8) return ch;
  } else {
    // Wilson and Hilferty's cube-root normal approximation.
    const double x = -NormalUpperQuantile(p);
    const double p1 = 0.2222222222222222 / df;
    ch = df * std::pow(x * std::sqrt(p1) + 1 - p1, 3);
    if (ch > 2.2 * df + 6) ch = -2 * (std::log(1 - p) - c * std::log(ch / 2) + g);
  }
  // Seventh-order Taylor steps on the incomplete gamma function. Every value tried
  // narrows a bracket around the root; a step that lands outside it (the expansion
  // diverging from a poor start far in the lower tail) is replaced by the bracket's
  // midpoint, or by a doubling while no upper end is known. From an ordinary start
  // every step stays inside (all table values do), so those results are unchanged.
  if (!(ch > 0 && std::isfinite(ch))) ch = df;
  double lo = 0, hi = INFINITY;
  for (int step = 0; step < kChiSquaredQuantileMaxSteps; ++step) {
    ++count.passes;
    const double q = ch;
    const double p1 = ch / 2;
    const double cdf = ChiSquaredHalfCdf(p1, df, count);
    if (IsInfiniteResult(cdf)) return ErrorValue;
    const double p2 = p - cdf;
    if (p2 == 0) break;
    if (p2 > 0)
      lo = std::max(lo, q);
    else
      hi = std::min(hi, q);
    const double t = p2 * std::exp(xx * kLn2 + g + p1 - c * std::log(ch));
    const double b = t / ch;
    const double a = t / 2 - b * c;
    const double s1 = (210 + a * (140 + a * (105 + a * (84 + a * (70 + 60 * a))))) / 420;
    const double s2 = (420 + a * (735 + a * (966 + a * (1141 + 1278 * a)))) / 2520;
    const double s3 = (210 + a * (462 + a * (707 + 932 * a))) / 2520;
    const double s4 = (252 + a * (672 + 1182 * a) + c * (294 + a * (889 + 1740 * a))) / 5040;
    const double s5 = (84 + 264 * a + c * (175 + 606 * a)) / 2520;
    const double s6 = (120 + c * (346 + 127 * c)) / 5040;
    ch = ch + t * (1 + t * s1 / 2 - b * c * (s1 - b * (s2 - b * (s3 - b * (s4 - b * (s5 - b * s6))))));
    if (!(ch >= lo && ch <= hi && ch > 0)) ch = std::isfinite(hi) ? (lo + hi) / 2 : 2 * lo;
    if (std::fabs(q / ch - 1) <= kQuantileTolerance) break;
  }
  return ch;
}

double ChiSquaredQuantile(double p, int df) {
  IterationCount count;
  return ChiSquaredQuantile(p, df, count);
}
