// kncourse stats: evaluates one statistical function the way the player does, so that
// authors can check the numbers a script or a tool will show, and replays the random
// generator for a seed.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "Kncourse.h"
#include "course/AsciiCase.h"
#include "stats/ChiSquared.h"
#include "stats/FDistribution.h"
#include "stats/IncompleteBeta.h"
#include "stats/LogGamma.h"
#include "stats/Normal.h"
#include "stats/Random.h"
#include "stats/StudentT.h"

namespace {

using kncourse::Args;

struct Function {
  const char* name;
  const char* args;  // argument names for the usage text, one word each
  const char* meaning;
  std::function<double(const std::vector<double>&)> eval;
  bool integerLastArg = false;  // ChiSquaredQuantile takes an integer df
};

const std::vector<Function>& Functions() {
  using V = std::vector<double>;
  static const std::vector<Function> functions = {
      {"LogGammaOnePlus", "X", "ln Γ(X + 1)", [](const V& v) { return LogGammaOnePlus(v[0]); }},
      {"LogGamma", "X", "ln Γ(X)", [](const V& v) { return LogGamma(v[0]); }},
      {"BetaContinuedFraction", "A B X", "continued fraction of the incomplete beta function",
       [](const V& v) { return BetaContinuedFraction(v[0], v[1], v[2]); }},
      {"IncompleteBeta", "A B X", "regularised incomplete beta I_X(A, B)",
       [](const V& v) { return IncompleteBeta(v[0], v[1], v[2]); }},
      {"NormalDensity", "Z", "standard normal density", [](const V& v) { return NormalDensity(v[0]); }},
      {"ErfComplement", "X", "erfc(X)", [](const V& v) { return ErfComplement(v[0]); }},
      {"NormalCdf", "Z", "P(Z <= z)", [](const V& v) { return NormalCdf(v[0]); }},
      {"InverseErf", "X", "y with erf(y) = X, -1 < X < 1", [](const V& v) { return InverseErf(v[0]); }},
      {"NormalQuantile", "P", "z with P(Z <= z) = P", [](const V& v) { return NormalQuantile(v[0]); }},
      {"NormalUpperQuantile", "P", "z with P(Z > z) = P", [](const V& v) { return NormalUpperQuantile(v[0]); }},
      {"TTwoTailProb", "T DF", "P(|T| > |t|)", [](const V& v) { return TTwoTailProb(v[0], v[1]); }},
      {"TTwoTailQuantile", "P DF", "t > 0 with P(|T| > t) = P", [](const V& v) { return TTwoTailQuantile(v[0], v[1]); }},
      {"TUpperQuantile", "P DF", "t with P(T > t) = P", [](const V& v) { return TUpperQuantile(v[0], v[1]); }},
      {"TLowerQuantile", "P DF", "t with P(T <= t) = P", [](const V& v) { return TLowerQuantile(v[0], v[1]); }},
      {"ChiSquaredHalfCdf", "X DF", "P(chi-squared with DF df <= 2X)",
       [](const V& v) { return ChiSquaredHalfCdf(v[0], v[1]); }},
      {"ChiSquaredQuantile", "P DF", "chi-squared value with P(X <= value) = P; DF an integer",
       [](const V& v) { return ChiSquaredQuantile(v[0], static_cast<int>(v[1])); }, true},
      {"FCdf", "F DF1 DF2", "P(F <= f)", [](const V& v) { return FCdf(v[0], v[1], v[2]); }},
      {"FQuantile", "P DF1 DF2", "F value with P(F <= value) = P", [](const V& v) { return FQuantile(v[0], v[1], v[2]); }},
  };
  return functions;
}

std::optional<double> ParseNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (*end != '\0') return std::nullopt;
  return v;  // out-of-range decimal input saturates to an infinity or 0, which is fine here
}

std::optional<long long> ParseInteger(const std::string& text, long long lo, long long hi) {
  const auto v = ParseNumber(text);
  if (!v || *v != std::floor(*v) || *v < static_cast<double>(lo) || *v > static_cast<double>(hi)) return std::nullopt;
  return static_cast<long long>(*v);
}

std::string Format(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.10g", v);
  return text;
}

int Random(const std::string& name, Args a) {
  const bool raw = EqualNoCase(name, "RandomDraw");
  std::uint32_t seed = static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count());
  if (auto s = kncourse::TakeOption(a, "seed")) {
    const auto v = ParseInteger(*s, -2147483648LL, 4294967295LL);
    if (!v) kncourse::BadUsage("--seed takes a 32-bit integer");
    seed = static_cast<std::uint32_t>(*v);  // a negative seed wraps as the script language's would
  }
  long long count = 1;
  if (auto c = kncourse::TakeOption(a, "count")) {
    const auto v = ParseInteger(*c, 0, 100000000);
    if (!v) kncourse::BadUsage("--count takes a number from 0 to 100000000");
    count = *v;
  }
  int n = 0;
  if (!raw) {
    if (a.size() != 1) kncourse::BadUsage("RandomInt takes N");
    const auto v = ParseInteger(a[0], 1, 2147483647);
    if (!v) kncourse::BadUsage("N must be an integer from 1 to 2147483647");
    n = static_cast<int>(*v);
  } else if (!a.empty()) {
    kncourse::BadUsage("RandomDraw takes no arguments");
  }
  SeedRandom(seed);
  std::string out;
  for (long long i = 0; i < count; ++i) {
    out += std::to_string(raw ? RandomDraw() : RandomInt(n));
    out += '\n';
    if (out.size() > 65536) {
      std::fputs(out.c_str(), stdout);
      out.clear();
    }
  }
  std::fputs(out.c_str(), stdout);
  return 0;
}

}  // namespace

namespace kncourse {

// The functions for the usage text, from the table that evaluates them.
std::string StatsFunctionList() {
  std::ostringstream u;
  u << "\nFunctions (probabilities lower-tail unless they say otherwise):\n";
  for (const auto& f : Functions()) {
    const std::string call = std::string(f.name) + " " + f.args;
    u << "  " << call << std::string(call.size() < 32 ? 32 - call.size() : 1, ' ') << f.meaning << '\n';
  }
  return u.str();
}

int StatsEvaluate(Args args) {
  if (args.empty()) kncourse::BadUsage("stats takes FUNCTION ARG...");
  const std::string& name = args[0];
  const Args rest(args.begin() + 1, args.end());
  if (EqualNoCase(name, "RandomInt") || EqualNoCase(name, "RandomDraw")) return Random(name, rest);
  const auto& functions = Functions();
  const auto f = std::find_if(functions.begin(), functions.end(), [&](const Function& fn) { return EqualNoCase(name, fn.name); });
  if (f == functions.end()) kncourse::BadUsage("unknown function '" + name + "'");
  const std::size_t arity = static_cast<std::size_t>(std::count(f->args, f->args + std::strlen(f->args), ' ') + 1);
  if (rest.size() != arity)
    kncourse::BadUsage(std::string(f->name) + " takes " + f->args);
  std::vector<double> values;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (f->integerLastArg && i + 1 == rest.size()) {
      const auto v = ParseInteger(rest[i], -2147483648LL, 2147483647LL);
      if (!v) kncourse::BadUsage("'" + rest[i] + "' is not an integer degrees of freedom");
      values.push_back(static_cast<double>(*v));
      continue;
    }
    const auto v = ParseNumber(rest[i]);
    if (!v) kncourse::BadUsage("'" + rest[i] + "' is not a number");
    values.push_back(*v);
  }
  std::cout << Format(f->eval(values)) << '\n';
  return 0;
}

}  // namespace kncourse
