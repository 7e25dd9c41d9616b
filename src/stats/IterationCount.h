// Loop passes made by an iterative statistical function (continued-fraction and series
// terms, Newton steps, bracketing and bisection steps, including those of the functions
// it calls). Every such loop has a fixed bound, so every call stops; tests and the fuzz
// target use the count to check that no input comes near it.
#pragma once

struct IterationCount {
  long passes = 0;
};
