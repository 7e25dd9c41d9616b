// Accuracy of every distribution function against Boost.Math over grids of arguments,
// and agreement of every value the distribution tables print. Each sweep asserts the
// bound the algorithm is known for (or, where none is published, a bound just above
// what was measured) and prints the measured maximum.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/erf.hpp>
#include <boost/math/special_functions/gamma.hpp>

#include "stats/ChiSquared.h"
#include "stats/FDistribution.h"
#include "stats/IncompleteBeta.h"
#include "stats/IterationCount.h"
#include "stats/LogGamma.h"
#include "stats/Normal.h"
#include "stats/StudentT.h"

namespace {

namespace bm = boost::math;

// Largest error of one sweep and where it happened.
class MaxError {
 public:
  explicit MaxError(std::string what) : m_what(std::move(what)) {}
  void Add(double error, double a, double b = 0, double c = 0) {
    if (!(error <= m_max)) {  // a not-a-number error counts as the largest
      m_max = error;
      char where[96];
      std::snprintf(where, sizeof where, "(%.9g, %.9g, %.9g)", a, b, c);
      m_where = where;
    }
  }
  void Expect(double bound) const {
    std::printf("  %-44s max %.3g at %s (bound %.3g)\n", m_what.c_str(), m_max, m_where.c_str(), bound);
    EXPECT_LE(m_max, bound) << m_what << " at " << m_where;
  }

 private:
  std::string m_what;
  double m_max = 0;
  std::string m_where;
};

double Rel(double v, double exact) { return std::fabs(v - exact) / std::fabs(exact); }

// The df grid of the sweeps: every df to 30, then about 10 % apart.
template <typename F>
void ForDf(double last, F f) {
  for (double df = 1; df <= last; df = df < 30 ? df + 1 : std::floor(df * 1.1)) f(df);
}

TEST(StatsAccuracy, LogGamma) {
  MaxError small("LogGamma abs, 0.01 <= x <= 20"), large("LogGamma rel, 20 < x < 1e7"),
      negative("LogGamma abs, -30 < x < 0 (not integer)");
  for (double x = 0.01; x < 1e7; x *= 1.003) {
    const double exact = bm::lgamma(x);
    if (x <= 20)
      small.Add(std::fabs(LogGamma(x) - exact), x);
    else
      large.Add(Rel(LogGamma(x), exact), x);
  }
  for (double x = -0.0007; x > -30; x -= 0.00731) negative.Add(std::fabs(LogGamma(x) - std::lgamma(x)), x);
  // Numerical Recipes gives 2e-10 for the series; the reflection uses π to 12 digits.
  small.Expect(5e-10);
  large.Expect(1e-11);
  negative.Expect(5e-9);
}

TEST(StatsAccuracy, Normal) {
  MaxError erfc("ErfComplement rel, -10 <= x <= 26"), cdf("NormalCdf abs, -40 <= z <= 40"),
      density("NormalDensity rel"), inverse("InverseErf rel, -1 < x < 1"), lower("NormalQuantile abs, 1e-10 <= p"),
      upperBody("NormalUpperQuantile abs, 1e-5 <= p <= 1 - 1e-5"), upperTail("NormalUpperQuantile rel, 1e-10 <= p");
  for (double x = -10; x <= 26; x += 0.0007) erfc.Add(Rel(ErfComplement(x), bm::erfc(x)), x);
  for (double z = -40; z <= 40; z += 0.0007) {
    cdf.Add(std::fabs(NormalCdf(z) - bm::cdf(bm::normal(), z)), z);
    if (std::fabs(z) < 37) density.Add(Rel(NormalDensity(z), bm::pdf(bm::normal(), z)), z);  // beyond, it underflows
  }
  for (double x = -0.9999997; x < 1; x += 0.0000371)
    if (x != 0) inverse.Add(Rel(InverseErf(x), bm::erf_inv(x)), x);
  for (double y = 1e-16; y < 1e-6; y *= 1.07) inverse.Add(Rel(InverseErf(1 - y), bm::erf_inv(1 - y)), 1 - y);
  auto quantiles = [&](double p) {
    const double exact = bm::quantile(bm::normal(), p);
    lower.Add(std::fabs(NormalQuantile(p) - exact), p);
    if (p >= 1e-5 && p <= 1 - 1e-5) upperBody.Add(std::fabs(NormalUpperQuantile(p) + exact), p);
    if (exact != 0) upperTail.Add(Rel(NormalUpperQuantile(p), -exact), p);
  };
  for (double p = 1e-10; p < 0.5; p *= 1.01) {
    quantiles(p);
    quantiles(1 - p);
  }
  for (double p = 0.0001; p < 1; p += 0.0001) quantiles(p);
  erfc.Expect(1.2e-7);  // Numerical Recipes' bound for erfcc
  cdf.Expect(1.5e-7);
  density.Expect(1e-9);  // sqrt(2π) to 12 digits
  inverse.Expect(1e-7);
  lower.Expect(2e-7);
  upperBody.Expect(6e-6);
  upperTail.Expect(5e-5);
}

TEST(StatsAccuracy, IncompleteBeta) {
  MaxError error("IncompleteBeta abs, a, b in 0.5..500");
  long mostTerms = 0;
  const double shapes[] = {0.5, 1, 1.5, 2, 3, 5, 10, 20, 50, 100, 200, 500};
  for (double a : shapes)
    for (double b : shapes)
      for (double x = 0; x <= 1; x += 0.001) {
        IterationCount count;
        error.Add(std::fabs(IncompleteBeta(a, b, x, count) - bm::ibeta(a, b, x)), a, b, x);
        mostTerms = std::max(mostTerms, count.passes);
      }
  error.Expect(5e-8);
  std::printf("  most continued-fraction terms: %ld of %d\n", mostTerms, kBetaFractionMaxTerms);
  EXPECT_LT(mostTerms, kBetaFractionMaxTerms);  // the fraction settles on every one of them
}

TEST(StatsAccuracy, StudentT) {
  MaxError prob("TTwoTailProb abs, df 1..10000"), exact12("TTwoTailQuantile rel, df 1 and 2"),
      body("TTwoTailQuantile rel, df 3, 4, ..., 1e-4 <= p"), rest("TTwoTailQuantile rel, df > 2, 1e-10 <= p");
  ForDf(10000, [&](double df) {
    for (double t = 0.01; t < 100; t = t < 5 ? t + 0.01 : t * 1.05)
      prob.Add(std::fabs(TTwoTailProb(t, df) - 2 * bm::cdf(bm::complement(bm::students_t(df), t))), t, df);
  });
  auto quantiles = [&](double df) {
    for (double p = 1e-10; p < 1; p *= 1.02) {
      const double e = Rel(TTwoTailQuantile(p, df), bm::quantile(bm::complement(bm::students_t(df), p / 2)));
      if (df <= 2)
        exact12.Add(e, p, df);
      else
        (p >= 1e-4 && df == std::floor(df) ? body : rest).Add(e, p, df);
    }
  };
  ForDf(1000, quantiles);
  for (double df : {2.5, 3.7, 10.5, 123.4}) quantiles(df);
  prob.Expect(3e-8);
  exact12.Expect(2e-7);  // π/2 to 9 digits
  body.Expect(2e-5);
  rest.Expect(6e-5);
}

TEST(StatsAccuracy, ChiSquared) {
  MaxError cdf("ChiSquaredHalfCdf abs, df 1..2000"), quantile("ChiSquaredQuantile rel, df 1..1000, p <= 1-1e-6");
  ForDf(2000, [&](double df) {
    for (double x = 0.001; x < 2.5 * df + 50; x *= 1.02)
      cdf.Add(std::fabs(ChiSquaredHalfCdf(x, df) - bm::gamma_p(df / 2, x)), x, df);
  });
  ForDf(1000, [&](double df) {
    for (double p = 1e-10; p < 1; p *= 1.03)
      for (double q : {p, 1 - p})
        if (q <= 1 - 1e-6)
          quantile.Add(Rel(ChiSquaredQuantile(q, static_cast<int>(df)), bm::quantile(bm::chi_squared(df), q)), q, df);
  });
  cdf.Expect(1e-7);
  quantile.Expect(5e-8);
}

TEST(StatsAccuracy, F) {
  MaxError cdf("FCdf abs"), quantile("FQuantile abs / (1 + F)");
  const double dfs[] = {1, 2, 3, 4, 5, 7, 10, 15, 20, 30, 60, 120};
  for (double df1 : dfs)
    for (double df2 : dfs) {
      const bm::fisher_f dist(df1, df2);
      for (double f = 0.001; f < 1e4; f *= 1.02) cdf.Add(std::fabs(FCdf(f, df1, df2) - bm::cdf(dist, f)), f, df1, df2);
      for (double p = 0.0005; p < 1; p += 0.0101) {
        const double exact = bm::quantile(dist, p);
        quantile.Add(std::fabs(FQuantile(p, df1, df2) - exact) / (1 + exact), p, df1, df2);
      }
    }
  cdf.Expect(3e-8);
  quantile.Expect(1.5e-6);  // the bisection width is 1e-6
}

// ---- Printed table values ----

// A table cell as the distribution tables print it: 4 - e decimals, e the integer part of
// log10(v) + 0.99 clamped to 0..4 (0 for negative v), a leading zero dropped below 1.
std::string TableCell(double v) {
  const int e = v < 0 ? 0 : std::clamp(static_cast<int>(std::log10(v) + 0.99), 0, 4);
  char text[64];
  std::snprintf(text, sizeof text, "%5.*f", 4 - e, std::fabs(v));
  std::string s = text;
  if (std::fabs(v) < 1 && s.size() > 1 && s[0] == '0') s.erase(0, 1);
  return v < 0 ? "-" + s : s;
}

// Cells whose printed text differs from that of the exact value. A difference is only
// excused when the exact value lies within the function's error of the point where the
// printed text changes (nothing of that accuracy can print it reliably); such ties are
// counted and shown.
class TableCheck {
 public:
  explicit TableCheck(const char* table) : m_table(table) {}
  // relError and absError: the accuracy of the function on this table.
  void Cell(double v, double exact, double relError, double absError, const std::string& where) {
    ++m_cells;
    if (TableCell(v) == TableCell(exact)) return;
    const double slack = relError * std::fabs(exact) + absError;
    if (TableCell(exact - slack) != TableCell(exact + slack)) {
      ++m_ties;
      return;
    }
    ADD_FAILURE() << m_table << " " << where << ": prints " << TableCell(v) << ", exact " << TableCell(exact)
                  << " (" << v << " vs " << exact << ")";
  }
  ~TableCheck() { std::printf("  %-10s %6d cells, %d on a rounding tie\n", m_table, m_cells, m_ties); }

 private:
  const char* m_table;
  int m_cells = 0;
  int m_ties = 0;
};

const double kTableProbabilities[] = {0.25, 0.2, 0.15, 0.1, 0.05, 0.025, 0.02, 0.01, 0.005, 0.0025, 0.001, 0.0005};

TEST(StatsAccuracy, EveryPrintedTableValueAgrees) {
  {
    TableCheck t("t");
    for (int df = 1; df <= 1000; ++df)
      for (double p : kTableProbabilities) {
        const double exact = bm::quantile(bm::complement(bm::students_t(df), p));
        const std::string where = "df " + std::to_string(df) + " p " + std::to_string(p);
        t.Cell(TUpperQuantile(p, df), exact, 2e-5, 0, where);
        t.Cell(TUpperQuantile(1 - p, df), -exact, 2e-5, 0, where + " left");  // left-tail flag
      }
    for (double p : kTableProbabilities) {  // the infinite-df row
      const double exact = bm::quantile(bm::complement(bm::normal(), p));
      t.Cell(NormalUpperQuantile(p), exact, 0, 6e-6, "df * p " + std::to_string(p));
      t.Cell(-NormalUpperQuantile(1 - p), exact, 0, 6e-6, "df * p " + std::to_string(p));
    }
  }
  {
    TableCheck chi("chi");
    for (int df = 1; df <= 200; ++df)
      for (double p : kTableProbabilities)
        chi.Cell(ChiSquaredQuantile(1 - p, df), bm::quantile(bm::complement(bm::chi_squared(df), p)), 5e-8, 0,
                 "df " + std::to_string(df) + " p " + std::to_string(p));
  }
  {
    TableCheck f("F");
    for (double p : {0.1, 0.05, 0.025, 0.01, 0.001})  // the Probability menu
      for (int df1 = 1; df1 <= 120; ++df1)
        for (int df2 = 1; df2 <= 120; ++df2)
          f.Cell(FQuantile(1 - p, df1, df2), bm::quantile(bm::complement(bm::fisher_f(df1, df2), p)), 1.5e-6, 1.5e-6,
                 std::to_string(df1) + "/" + std::to_string(df2) + " p " + std::to_string(p));
  }
  {
    TableCheck normal("normal");
    for (int row = 0; row < 80; ++row)
      for (int column = 0; column < 10; ++column) {
        const double rowValue = row < 40 ? 0.1 * (row + 1) - 4 : 0.1 * row - 4;
        const double z = row < 40 ? rowValue - column / 100.0 : rowValue + column / 100.0;
        const std::string where = "z " + std::to_string(z);
        normal.Cell(1 - NormalCdf(z), bm::cdf(bm::complement(bm::normal(), z)), 0, 1.5e-7, where);
        normal.Cell(NormalCdf(z), bm::cdf(bm::normal(), z), 0, 1.5e-7, where + " left");
      }
  }
}

// The iterative functions stay far from their bounds on every table value.
TEST(StatsAccuracy, TableValuesStayFarFromTheIterationBounds) {
  long chiMost = 0, fMost = 0;
  for (int df = 1; df <= 200; ++df)
    for (double p : kTableProbabilities) {
      IterationCount count;
      ChiSquaredQuantile(1 - p, df, count);
      chiMost = std::max(chiMost, count.passes);
    }
  for (double p : {0.1, 0.05, 0.025, 0.01, 0.001})
    for (int df1 = 1; df1 <= 120; df1 += 7)
      for (int df2 = 1; df2 <= 120; df2 += 3) {
        IterationCount count;
        FQuantile(1 - p, df1, df2, count);
        fMost = std::max(fMost, count.passes);
      }
  std::printf("  most passes: chi-squared quantile %ld, F quantile %ld\n", chiMost, fMost);
  EXPECT_LT(chiMost, kGammaMaxTerms / 100);
  EXPECT_LT(fMost, kFQuantileMaxSteps * kBetaFractionMaxTerms / 10);
}

}  // namespace
