#include "stats/Normal.h"

#include <algorithm>
#include <cmath>

#include "stats/ErrorValue.h"

namespace {

constexpr double kSqrtTwoPi = 2.50662827465;
constexpr double kSqrtTwo = 1.4142135623731;
// How far outside [0, 1] NormalQuantile still takes a probability as 0 or 1.
constexpr double kProbabilitySlack = 3e-7;

// The w >= 4 branch of InverseErf, without the sign: also used directly by
// NormalQuantile when 1 - 2p rounds to 1.
double InverseErfFarTail(double w) {
  const double u = 1 / w;
  const double n = u * ((0.010786386 * u - 0.14983844) * u - 0.002028152);
  const double d = ((u - 0.068883009) * u + 0.52117329) * u + 0.099529751;
  return w * (1 + 0.00018511591 + n / d);
}

}  // namespace

double NormalDensity(double z) {
  if (std::isnan(z)) return ErrorValue;
  return std::exp(-z * z / 2) / kSqrtTwoPi;
}

double ErfComplement(double x) {
  if (std::isnan(x)) return ErrorValue;
  const double z = std::fabs(x);
  const double t = 1 / (1 + 0.5 * z);
  const double r =
      t * std::exp(-z * z - 1.26551223 +
                   t * (1.00002368 +
                        t * (0.37409196 +
                             t * (0.09678418 +
                                  t * (-0.18628806 +
                                       t * (0.27886807 +
                                            t * (-1.13520398 + t * (1.48851587 + t * (-0.82215223 + t * 0.17087277)))))))));
  return x >= 0 ? r : 2 - r;
}

double NormalCdf(double z) {
  if (std::isnan(z)) return ErrorValue;
  return 0.5 * ErfComplement(-z / kSqrtTwo);
}

double InverseErf(double x) {
  if (!(x > -1 && x < 1)) return ErrorValue;  // also not-a-number
  const double s = x < 0 ? -1 : 1;
  const double a = std::fabs(x);
  if (a <= 0.85) {
    const double t = a * a;
    const double d = t - 1.8965133 / (t - 0.054962605 / (t - 1.1875145) - 2.3749959) - 3.293474;
    return s * a * (1 - 0.11377303 - 0.57517029 * t / d);
  }
  const double w = std::sqrt(-std::log((1 - a) * (1 + a)));
  if (w < 2.5) {
    const double n = w * ((0.050739749 * w - 0.2368201) * w - 0.13147744);
    const double d = ((w - 7.5861027) * w + 21.985462) * w - 44.279769;
    return s * w * (1 - 0.11466659 + n / d);
  }
  if (w < 4) {
    const double n = w * ((0.062089629 * w - 0.3166501) * w + 0.39370209);
    const double d = ((w - 2.9628832) * w + 4.6662627) * w - 6.2667859;
    return s * w * (1 - 0.0566842208 + n / d);
  }
  return s * InverseErfFarTail(w);
}

double NormalQuantile(double p) {
  if (std::isnan(p)) return ErrorValue;
  if (p <= 0) return p > -kProbabilitySlack ? -INFINITY : ErrorValue;
  if (p >= 1) return p < 1 + kProbabilitySlack ? INFINITY : ErrorValue;
  const double y = 2 * p;
  if (1 - y < 1) return -kSqrtTwo * InverseErf(1 - y);
  // y below about 1e-16: erf⁻¹(1 - y) through its far-tail branch in y directly.
  return -kSqrtTwo * InverseErfFarTail(std::sqrt(-std::log(y * (2 - y))));
}

double NormalUpperQuantile(double p) {
  if (!(p >= 0 && p <= 1)) return ErrorValue;
  if (p == 0) return INFINITY;
  if (p == 1) return -INFINITY;
  const double q = 0.5 - p;
  if (std::fabs(q) <= 0.42) {
    const double r = q * q;
    return q * (((-25.44106049637 * r + 41.39119773534) * r - 18.61500062529) * r + 2.50662823884) /
           ((((3.13082909833 * r - 21.06224101826) * r + 23.08336743743) * r - 8.47351093090) * r + 1);
  }
  const double r = std::sqrt(-std::log(std::min(p, 1 - p)));
  const double v = (((2.32121276858 * r + 4.85014127135) * r - 2.29796479134) * r - 2.78718931138) /
                   ((1.63706781897 * r + 3.54388924762) * r + 1);
  return p < 0.5 ? v : -v;
}
