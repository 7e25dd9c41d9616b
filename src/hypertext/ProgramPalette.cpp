#include "hypertext/ProgramPalette.h"

namespace {

constexpr int kCubeLevels[6] = {0, 51, 102, 153, 204, 255};
constexpr int kGreySteps[10] = {1, 2, 4, 5, 7, 8, 10, 11, 13, 14};
constexpr QRgb kFixed[18] = {
    qRgb(255, 255, 204), qRgb(255, 255, 0),   qRgb(255, 187, 255), qRgb(246, 96, 171), qRgb(255, 63, 78),
    qRgb(204, 0, 0),     qRgb(255, 102, 102), qRgb(248, 128, 23),  qRgb(0, 238, 0),    qRgb(51, 102, 0),
    qRgb(204, 204, 255), qRgb(93, 185, 255),  qRgb(0, 0, 160),     qRgb(216, 102, 255), qRgb(132, 45, 206),
    qRgb(160, 197, 68),  qRgb(239, 178, 126), qRgb(126, 53, 23),
};
constexpr int kFirstExtra = 216;

std::array<QRgb, ProgramPalette::kCount> Build() {
  std::array<QRgb, ProgramPalette::kCount> p{};
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) p[36 * r + 6 * g + b] = qRgb(kCubeLevels[r], kCubeLevels[g], kCubeLevels[b]);
  for (int i = 0; i < 10; ++i) p[kFirstExtra + i] = qRgb(17 * kGreySteps[i], 17 * kGreySteps[i], 17 * kGreySteps[i]);
  for (int i = 0; i < 18; ++i) p[226 + i] = kFixed[i];
  return p;
}

// Nearest cube level: the levels are 51 apart, so rounding c / 51 is exact and
// never ties for integer channels.
int CubeStep(int c) { return (c + 25) / 51; }

}  // namespace

const std::array<QRgb, ProgramPalette::kCount>& ProgramPalette::Entries() {
  static const std::array<QRgb, kCount> entries = Build();
  return entries;
}

QList<QRgb> ProgramPalette::ColourTable() {
  const auto& e = Entries();
  return QList<QRgb>(e.begin(), e.end());
}

int ProgramPalette::NearestIndex(int r, int g, int b) {
  r = std::clamp(r, 0, 255);
  g = std::clamp(g, 0, 255);
  b = std::clamp(b, 0, 255);
  // The squared distance is a sum over channels, so the nearest cube entry is the
  // nearest level in each channel separately. Cube indexes are all below the extra
  // entries, so the cube wins ties with them.
  const int cr = CubeStep(r), cg = CubeStep(g), cb = CubeStep(b);
  auto sq = [](int d) { return d * d; };
  int best = 36 * cr + 6 * cg + cb;
  int bestDistance = sq(r - kCubeLevels[cr]) + sq(g - kCubeLevels[cg]) + sq(b - kCubeLevels[cb]);
  const auto& e = Entries();
  for (int i = kFirstExtra; i < kCount && bestDistance > 0; ++i) {
    const int d = sq(r - qRed(e[i])) + sq(g - qGreen(e[i])) + sq(b - qBlue(e[i]));
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}
