// Regularised incomplete beta function by the continued fraction of Numerical Recipes
// (first edition, betacf/betai): relative accuracy about 3e-7 while a and b stay below
// a few thousand (the fraction stops after 100 terms whether or not it has converged).
#pragma once

struct IterationCount;

// The continued fraction of I_x(a, b), evaluated by the recurrence of betacf: stops when
// successive values agree to 3e-7 relative, or after 100 terms with the last value.
// a, b > 0 and 0 <= x <= 1, else ErrorValue.
double BetaContinuedFraction(double a, double b, double x);
double BetaContinuedFraction(double a, double b, double x, IterationCount& count);

// I_x(a, b) for a, b > 0 and 0 <= x <= 1, else ErrorValue. Also ErrorValue when a + b is
// too large for log-gamma (beyond about 1e305) and when the unsettled fraction (a and b
// far beyond a few thousand) gives no probability at all.
double IncompleteBeta(double a, double b, double x);
double IncompleteBeta(double a, double b, double x, IterationCount& count);

inline constexpr int kBetaFractionMaxTerms = 100;
