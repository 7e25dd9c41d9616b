// Student's t distribution: two-tailed probability and quantiles. df is a double;
// not-a-number arguments give ErrorValue.
#pragma once

// P(|T| > |t|) with df degrees of freedom (df > 0, else ErrorValue), through the
// incomplete beta function: 1 at t = 0, 0 for t >= 1e10.
double TTwoTailProb(double t, double df);

// The t > 0 with P(|T| > t) = p, by G. W. Hill's algorithm 396 (Communications of the
// ACM 13, 1970): relative error about 1e-6 for df > 2, exact forms for df 1 and 2.
// p outside [0, 1] gives 0, and so does a df of at most 2 that is not 1 or 2.
// An infinite df gives the normal quantile.
double TTwoTailQuantile(double p, double df);

// The t with P(T > t) = p (upper tail); p outside [0, 1] gives 0.
double TUpperQuantile(double p, double df);

// The t with P(T <= t) = p (lower tail) = TUpperQuantile(1 - p, df).
double TLowerQuantile(double p, double df);
