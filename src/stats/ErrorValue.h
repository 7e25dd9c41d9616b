// The error convention of the statistical functions: they never throw and never show a
// message. An argument outside a function's domain (or one that double precision cannot
// evaluate, or a not-a-number) gives ErrorValue, which callers test with IsInfiniteResult.
#pragma once

#include <cmath>
#include <limits>

// Positive infinity. A quantile whose exact answer is unbounded also returns an
// infinity (of either sign), so IsInfiniteResult covers both cases.
inline constexpr double ErrorValue = std::numeric_limits<double>::infinity();

// True for either infinity. A not-a-number is never a usable result either, so it
// counts as infinite here; the functions themselves never return one.
inline bool IsInfiniteResult(double x) { return !std::isfinite(x); }
