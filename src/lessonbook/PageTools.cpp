#include "lessonbook/PageTools.h"

#include <array>

#include "course/AsciiCase.h"

namespace {
constexpr std::array<std::string_view, kPageToolCount> kTools = {
    "cent", "code", "cond", "dens", "dot", "guess", "histo", "least",
    "line", "prob", "proc", "random", "scat", "table", "targ"};
constexpr std::array<std::string_view, kPageToolCount> kTitles = {
    "Sampling Distributions", "Code Listing", "Conditional Probability", "Inference Error",
    "Centre and Spread", "Perception Experiment", "Histogram", "Least Squares", "Line",
    "Probability Sampler", "Control Charts", "Random Bars", "Scatterplot", "Distribution Tables",
    "Reaction Experiment"};
}  // namespace

int PageToolIndex(std::string_view name) {
  for (std::size_t i = 0; i < kTools.size(); ++i)
    if (EqualNoCase(kTools[i], name)) return static_cast<int>(i) + 1;
  return 0;
}

std::string_view PageToolName(int index) {
  if (index < 1 || index > kPageToolCount) return {};
  return kTools[static_cast<std::size_t>(index - 1)];
}

std::string_view PageToolTitle(int index) {
  if (index < 1 || index > kPageToolCount) return {};
  return kTitles[static_cast<std::size_t>(index - 1)];
}
