// The standard normal distribution: density, tail probabilities and quantiles.
// Not-a-number arguments give ErrorValue.
#pragma once

// exp(-z²/2) / sqrt(2π).
double NormalDensity(double z);

// erfc(x) by the Chebyshev-fitted exponential of Numerical Recipes (erfcc): fractional
// error below 1.2e-7 everywhere. Ranges over [0, 2].
double ErfComplement(double x);

// P(Z <= z) = erfc(-z / sqrt 2) / 2: absolute error below 1.2e-7.
double NormalCdf(double z);

// The y with erf(y) = x, for -1 < x < 1 (ErrorValue otherwise), by rational
// approximations in a = |x| (a <= 0.85) and in w = sqrt(-ln(1 - a²)) beyond.
double InverseErf(double x);

// The z with P(Z <= z) = p, through InverseErf. p = 0 gives -infinity and p = 1
// +infinity; so do p within 3e-7 below 0 or above 1 (rounding in a caller's
// arithmetic); p further outside [0, 1] gives ErrorValue.
double NormalQuantile(double p);

// The z with P(Z > z) = p, by algorithm AS 111 (Beasley and Springer, Applied
// Statistics 26, 1977). p = 0 gives +infinity, p = 1 -infinity, p outside [0, 1]
// ErrorValue.
double NormalUpperQuantile(double p);
