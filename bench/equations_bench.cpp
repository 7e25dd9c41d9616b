// An equation of 50 elements (the sample standard deviation with its sum, fraction,
// root, fences and scripts, and a confidence interval beside it) built from its
// markup, laid out and drawn into a picture, as a page does for every "math" element.
#include <benchmark/benchmark.h>

#include <QtGui/QPicture>
#include <cstdlib>
#include <string>

#include "equations/EquationLayout.h"

namespace {

const std::string kMarkup =
    "<math><mi>s</mi><mo>=</mo><msqrt><mfrac><mrow><munderover><mo>&sum;</mo><mrow><mi>i</mi><mo>=</mo><mn>1</mn>"
    "</mrow><mi>n</mi></munderover><msup><mfenced><mrow><msub><mi>x</mi><mi>i</mi></msub><mo>-</mo><mover><mi>x</mi>"
    "<mo>&bar;</mo></mover></mrow></mfenced><mn>2</mn></msup></mrow><mrow><mi>n</mi><mo>-</mo><mn>1</mn></mrow></mfrac>"
    "</msqrt><mtext>,</mtext><mspace width=\"12\"></mspace><mover><mi>x</mi><mo>&bar;</mo></mover><mo>&plusmn;</mo>"
    "<msup><mi>t</mi><mo>*</mo></msup><mfrac><mi>s</mi><msqrt><mi>n</mi></msqrt></mfrac><mtext>,</mtext>"
    "<mi>z</mi><mo>=</mo><mfrac><mrow><mi>x</mi><mo>-</mo><mi fontfamily=\"symbol\">m</mi></mrow>"
    "<mi fontfamily=\"symbol\">s</mi></mfrac></math>";

int Elements(const EqNode& n) {
  int count = 1;
  for (const auto& c : n.children) count += Elements(*c);
  return count;
}

void BM_EquationLayoutAndDraw(benchmark::State& state) {
  EquationFonts fonts;
  int elements = 0;
  for (auto _ : state) {
    auto tree = BuildEquation(kMarkup);
    elements = Elements(*tree);
    auto picture = RenderEquation(*tree, 12, kEqSerif, fonts);
    benchmark::DoNotOptimize(picture);
  }
  state.counters["elements"] = elements;
}
BENCHMARK(BM_EquationLayoutAndDraw)->Unit(benchmark::kMicrosecond);

// The same with the font cache empty each time: the first equation a page shows.
void BM_EquationFirstRendering(benchmark::State& state) {
  for (auto _ : state) {
    EquationFonts fonts;
    auto tree = BuildEquation(kMarkup);
    auto picture = RenderEquation(*tree, 12, kEqSerif, fonts);
    benchmark::DoNotOptimize(picture);
  }
}
BENCHMARK(BM_EquationFirstRendering)->Unit(benchmark::kMicrosecond);

}  // namespace
