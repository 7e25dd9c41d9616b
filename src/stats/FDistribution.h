// The F distribution with df1 numerator and df2 denominator degrees of freedom.
// Not-a-number arguments give ErrorValue.
#pragma once

struct IterationCount;

// P(F <= f), through the incomplete beta function. f < 0, df1 < 1 or df2 < 1 gives
// ErrorValue; f = 0 gives 0 and f >= 1e10 gives 1.
double FCdf(double f, double df1, double df2);

// The F value with P(F <= value) = p, by bracketing and bisection on FCdf to an
// absolute width of 1e-6. df1 < 1, df2 < 1 or p outside [0, 1] gives ErrorValue; p = 0
// gives 0 and p = 1 +infinity. ErrorValue also when FCdf cannot be evaluated for these
// degrees of freedom.
double FQuantile(double p, double df1, double df2);
double FQuantile(double p, double df1, double df2, IterationCount& count);

// Bound on the bracketing and bisection steps together (each step is one FCdf). The
// bracket never spans more than 0..2^35 (FCdf is 1 from 1e10 on), so about 40 doublings
// and 60 halvings reach the width; where the bracket ends above about 1e10 the
// bisection stops as soon as the midpoint can no longer move.
inline constexpr int kFQuantileMaxSteps = 2000;
