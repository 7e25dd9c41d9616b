// Log-gamma by the Lanczos approximation, in the six-coefficient form of Numerical
// Recipes (first edition, gammln): absolute error about 2e-10 for positive arguments.
#pragma once

// ln Γ(x + 1). Negative x goes through the reflection formula and gives ln |Γ(x + 1)|.
// ErrorValue at the poles (x a negative integer) and for -infinity or not-a-number;
// +infinity gives +infinity.
double LogGammaOnePlus(double x);

// ln Γ(x) = LogGammaOnePlus(x - 1).
double LogGamma(double x);
