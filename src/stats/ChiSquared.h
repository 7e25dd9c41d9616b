// The chi-squared distribution (through the lower incomplete gamma function) and its
// quantile. Not-a-number arguments give ErrorValue.
#pragma once

struct IterationCount;

// P(df/2, x), the regularised lower incomplete gamma function with shape df/2, that is
// P(χ²_df <= 2x); by algorithm AS 32 (Bhattacharjee, Applied Statistics 19, 1970) with
// accuracy 1e-8. df < 1 or x < 0 gives 0. ErrorValue when the series or the continued
// fraction does not settle within kGammaMaxTerms terms (df beyond about 1e10).
double ChiSquaredHalfCdf(double x, double df);
double ChiSquaredHalfCdf(double x, double df, IterationCount& count);

// The χ² value with P(χ²_df <= value) = p, by algorithm AS 91 (Best and Roberts, Applied
// Statistics 24, 1975) with relative tolerance 1e-8. df < 1 or p outside [0, 1] gives
// ErrorValue; p = 0 gives 0 and p = 1 +infinity. When the iteration has not settled
// after kChiSquaredQuantileMaxSteps steps (it can only wander by the last digits there),
// the last value is returned.
double ChiSquaredQuantile(double p, int df);
double ChiSquaredQuantile(double p, int df, IterationCount& count);

// Iteration bounds, far above what any table value needs (a few hundred terms and a
// handful of steps for df up to 1000): the series needs about 6·sqrt(df/2) terms when
// x is near df/2, so the bound covers every int df.
inline constexpr long kGammaMaxTerms = 250000;
inline constexpr int kChiSquaredQuantileMaxSteps = 200;
