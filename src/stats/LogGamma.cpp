#include "stats/LogGamma.h"

#include <cmath>

#include "stats/ErrorValue.h"

namespace {

// Numerical Recipes (1st ed.) gammln coefficients, to the digits the tables were made with.
constexpr double kLanczos[6] = {76.18009173, -86.50532033, 24.01409822, -1.231739516, 0.00120858003, -0.00000536382};
constexpr double kSqrtTwoPi = 2.50662827465;
constexpr double kPi = 3.14159265359;

}  // namespace

double LogGammaOnePlus(double x) {
  if (std::isnan(x) || x == -INFINITY) return ErrorValue;
  if (x == INFINITY) return INFINITY;
  if (x < 0) {
    // Γ(1 + x) Γ(1 - x) = πx / sin(πx). Γ(1 + x) is negative on (-2, -1), (-4, -3), ...,
    // where the logarithm of its magnitude is taken; it has a pole at every negative integer.
    if (x == std::floor(x)) return ErrorValue;
    const double y = -x * kPi;
    return std::log(std::fabs(y / std::sin(y))) - LogGammaOnePlus(-x);
  }
  const double t = x + 5.5;
  double s = 1.0;
  for (int j = 0; j < 6; ++j) s += kLanczos[j] / (x + j + 1);
  return (x + 0.5) * std::log(t) - t + std::log(kSqrtTwoPi * s);
}

double LogGamma(double x) {
  // Below about 1e-16, x - 1 rounds to the pole at -1 although Γ(x) is finite there:
  // Γ(x) = Γ(x + 1) / x keeps those arguments exact.
  if (x > 0 && x - 1 == -1) return LogGammaOnePlus(x) - std::log(x);
  return LogGammaOnePlus(x - 1);
}
