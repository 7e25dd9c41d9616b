// Time per call of every statistical function. The distribution tables fill up to
// 14 400 cells (F) or 12 000 (t) at a time, and the graphs evaluate a density per pixel
// column, so these are what a table or graph redraw costs. Each benchmark cycles through
// arguments typical of the tools.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "stats/ChiSquared.h"
#include "stats/FDistribution.h"
#include "stats/IncompleteBeta.h"
#include "stats/LogGamma.h"
#include "stats/Normal.h"
#include "stats/Random.h"
#include "stats/StudentT.h"

namespace {

constexpr std::array<double, 8> kProbabilities{0.25, 0.1, 0.05, 0.025, 0.01, 0.005, 0.001, 0.0005};
constexpr std::array<double, 8> kDfs{1, 2, 4, 10, 25, 60, 120, 1000};
constexpr std::array<double, 8> kZs{-3.5, -1.96, -0.7, 0, 0.3, 1.2, 2.5, 3.9};

// Runs f(i) for i = 0, 1, 2, ... with i cycling over the argument tables.
template <typename F>
void Cycle(benchmark::State& state, F f) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f(i % 8));
    ++i;
  }
}

void BM_LogGammaOnePlus(benchmark::State& s) { Cycle(s, [](std::size_t i) { return LogGammaOnePlus(kDfs[i] / 2); }); }
void BM_LogGammaReflected(benchmark::State& s) { Cycle(s, [](std::size_t i) { return LogGamma(kProbabilities[i]); }); }
void BM_BetaContinuedFraction(benchmark::State& s) {
  Cycle(s, [](std::size_t i) { return BetaContinuedFraction(kDfs[i] / 2, 0.5, 0.3); });
}
void BM_IncompleteBeta(benchmark::State& s) { Cycle(s, [](std::size_t i) { return IncompleteBeta(kDfs[i] / 2, 3, 0.4); }); }
void BM_NormalDensity(benchmark::State& s) { Cycle(s, [](std::size_t i) { return NormalDensity(kZs[i]); }); }
void BM_ErfComplement(benchmark::State& s) { Cycle(s, [](std::size_t i) { return ErfComplement(kZs[i]); }); }
void BM_NormalCdf(benchmark::State& s) { Cycle(s, [](std::size_t i) { return NormalCdf(kZs[i]); }); }
void BM_InverseErf(benchmark::State& s) { Cycle(s, [](std::size_t i) { return InverseErf(1 - 2 * kProbabilities[i]); }); }
void BM_NormalQuantile(benchmark::State& s) { Cycle(s, [](std::size_t i) { return NormalQuantile(kProbabilities[i]); }); }
void BM_NormalUpperQuantile(benchmark::State& s) {
  Cycle(s, [](std::size_t i) { return NormalUpperQuantile(kProbabilities[i]); });
}
void BM_TTwoTailProb(benchmark::State& s) { Cycle(s, [](std::size_t i) { return TTwoTailProb(kZs[i], kDfs[i]); }); }
void BM_TTwoTailQuantile(benchmark::State& s) {
  Cycle(s, [](std::size_t i) { return TTwoTailQuantile(2 * kProbabilities[i], kDfs[7 - i]); });
}
void BM_TUpperQuantile(benchmark::State& s) {
  Cycle(s, [](std::size_t i) { return TUpperQuantile(kProbabilities[i], kDfs[7 - i]); });
}
void BM_TLowerQuantile(benchmark::State& s) {
  Cycle(s, [](std::size_t i) { return TLowerQuantile(kProbabilities[i], kDfs[7 - i]); });
}
void BM_ChiSquaredHalfCdf(benchmark::State& s) {
  Cycle(s, [](std::size_t i) { return ChiSquaredHalfCdf(kDfs[i] * (0.5 + kProbabilities[i]), kDfs[i]); });
}
void BM_ChiSquaredQuantile(benchmark::State& s) {
  Cycle(s, [](std::size_t i) { return ChiSquaredQuantile(1 - kProbabilities[i], static_cast<int>(kDfs[7 - i] / 5 + 1)); });
}
void BM_FCdf(benchmark::State& s) { Cycle(s, [](std::size_t i) { return FCdf(1 + kZs[i] / 4, kDfs[i] / 8 + 1, kDfs[7 - i] / 8 + 1); }); }
void BM_FQuantile(benchmark::State& s) {
  Cycle(s, [](std::size_t i) { return FQuantile(1 - kProbabilities[i], kDfs[i] / 8 + 1, kDfs[7 - i] / 8 + 1); });
}
void BM_RandomInt(benchmark::State& s) { Cycle(s, [](std::size_t i) { return RandomInt(1000 + static_cast<int>(i)); }); }

BENCHMARK(BM_LogGammaOnePlus);
BENCHMARK(BM_LogGammaReflected);
BENCHMARK(BM_BetaContinuedFraction);
BENCHMARK(BM_IncompleteBeta);
BENCHMARK(BM_NormalDensity);
BENCHMARK(BM_ErfComplement);
BENCHMARK(BM_NormalCdf);
BENCHMARK(BM_InverseErf);
BENCHMARK(BM_NormalQuantile);
BENCHMARK(BM_NormalUpperQuantile);
BENCHMARK(BM_TTwoTailProb);
BENCHMARK(BM_TTwoTailQuantile);
BENCHMARK(BM_TUpperQuantile);
BENCHMARK(BM_TLowerQuantile);
BENCHMARK(BM_ChiSquaredHalfCdf);
BENCHMARK(BM_ChiSquaredQuantile);
BENCHMARK(BM_FCdf);
BENCHMARK(BM_FQuantile);
BENCHMARK(BM_RandomInt);

// A whole F table (120 x 120 cells at one probability), as the tool recomputes it.
void BM_FTable(benchmark::State& s) {
  for (auto _ : s)
    for (int df1 = 1; df1 <= 120; ++df1)
      for (int df2 = 1; df2 <= 120; ++df2) benchmark::DoNotOptimize(FQuantile(0.9, df1, df2));
}
BENCHMARK(BM_FTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
