// Statistical functions: arbitrary doubles into every function. Each call must come back
// within its loop bounds with a number or an infinity (never a not-a-number), and the
// probabilities must lie in [0, 1] or be the error value.
//
// Input: a sequence of arguments, each a mode byte and a payload, so that the fuzzer
// reaches the interesting regions (probabilities a hair from 0 or 1, huge degrees of
// freedom, infinities) as well as raw bit patterns.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "course/ByteReader.h"
#include "stats/ChiSquared.h"
#include "stats/ErrorValue.h"
#include "stats/FDistribution.h"
#include "stats/IncompleteBeta.h"
#include "stats/IterationCount.h"
#include "stats/LogGamma.h"
#include "stats/Normal.h"
#include "stats/Random.h"
#include "stats/StudentT.h"

namespace {

class ArgReader {
 public:
  ArgReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

  double Next() {
    switch (Byte() % 8) {
      case 0: {  // raw bit pattern
        std::uint8_t bits[8];
        for (std::uint8_t& b : bits) b = Byte();
        return std::bit_cast<double>(LoadBe64(bits));
      }
      case 1: {
        static const double kSpecial[] = {0.0,
                                          -0.0,
                                          std::numeric_limits<double>::infinity(),
                                          -std::numeric_limits<double>::infinity(),
                                          std::numeric_limits<double>::quiet_NaN(),
                                          1.0,
                                          -1.0,
                                          0.5,
                                          2.0,
                                          1e-300,
                                          5e-324,
                                          std::numeric_limits<double>::max(),
                                          1 - 0x1p-53,
                                          1 + 0x1p-52,
                                          1e10,
                                          1e-8,
                                          1 + 1e-7,
                                          -1e-7,
                                          2147483647.0,
                                          1e15,
                                          1e300,
                                          0.85,
                                          4.0,
                                          0.025};
        return kSpecial[Byte() % (sizeof kSpecial / sizeof kSpecial[0])];
      }
      case 2:  // a probability
        return Word() / 4294967296.0;
      case 3: {  // a probability 2^-k from 0 or from 1
        const int k = Byte() % 128;
        const int far = Byte() & 1 ? 0 : 900;
        const double tiny = std::ldexp(1.0, -k - far);
        return Byte() & 1 ? 1 - tiny : tiny;
      }
      case 4:  // small degrees of freedom
        return Byte();
      case 5:  // a moderate value, ±2e6 in steps of 1e-3
        return static_cast<std::int32_t>(Word()) / 1000.0;
      case 6: {  // any magnitude
        const double sign = Byte() & 1 ? -1 : 1;
        const double mantissa = 1 + Byte() / 256.0;
        return sign * mantissa * std::pow(10.0, static_cast<int>(Byte() % 160) - 80);
      }
      default:  // large degrees of freedom 10^(0..32)
        return std::pow(10.0, Byte() / 8.0);
    }
  }

 private:
  std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  std::uint32_t Word() {
    std::uint8_t w[4];
    for (std::uint8_t& b : w) b = Byte();
    return LoadBe32(w);
  }

  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

void Value(double v) { Check(!std::isnan(v)); }

void Probability(double v) { Check(v == ErrorValue || (v >= 0 && v <= 1)); }

int IntegerDf(double v) {
  if (!(v > -2147483648.0 && v < 2147483648.0)) return 0;
  return static_cast<int>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ArgReader in(data, size);
  const double a = in.Next(), b = in.Next(), c = in.Next();

  Value(LogGammaOnePlus(a));
  Value(LogGamma(a));
  Value(NormalDensity(a));
  const double erfc = ErfComplement(a);
  Check(erfc == ErrorValue || (erfc >= 0 && erfc <= 2));
  Probability(NormalCdf(a));
  Value(InverseErf(a));
  Value(NormalQuantile(a));
  Value(NormalUpperQuantile(a));

  {
    IterationCount count;
    Value(BetaContinuedFraction(a, b, c, count));
    Check(count.passes <= kBetaFractionMaxTerms);
    IterationCount ibCount;
    Probability(IncompleteBeta(a, b, c, ibCount));
    Check(ibCount.passes <= kBetaFractionMaxTerms);
  }
  Probability(TTwoTailProb(a, b));
  Value(TTwoTailQuantile(a, b));
  Value(TUpperQuantile(a, b));
  Value(TLowerQuantile(a, b));
  {
    IterationCount count;
    Probability(ChiSquaredHalfCdf(a, b, count));
    Check(count.passes <= kGammaMaxTerms);
  }
  {
    IterationCount count;
    Value(ChiSquaredQuantile(a, IntegerDf(b), count));
    Check(count.passes <= kChiSquaredQuantileMaxSteps * (kGammaMaxTerms + 1));
  }
  Probability(FCdf(a, b, c));
  {
    IterationCount count;
    Value(FQuantile(a, b, c, count));
    Check(count.passes <= kFQuantileMaxSteps * (kBetaFractionMaxTerms + 1));
  }

  const int n = IntegerDf(a);
  SeedRandom(static_cast<std::uint32_t>(IntegerDf(b)));
  const int r = RandomInt(n);
  Check(n < 1 ? r == 0 : r >= 0 && r < n && r <= kRandomDrawMax);
  return 0;
}
