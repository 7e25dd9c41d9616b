#include "MovieTestSupport.h"

#include <cstdlib>

#include "TestSupport.h"

namespace movietest {

std::filesystem::path DataFile(const std::string& name) {
  return kntest::SourceDir() / "src" / "movies" / "tests" / "data" / name;
}

std::unique_ptr<CMovie> OpenTestMovie(const std::string& name, ManualClock& clock) {
  auto movie = CMovie::Open(DataFile(name));
  movie->SetClock(clock.clock());
  return movie;
}

ImageDiff Compare(const QImage& a, const QImage& b) {
  ImageDiff d;
  if (a.size() != b.size() || a.isNull()) {
    d.sizesDiffer = true;
    d.maxDiff = 255;
    d.meanDiff = 255;
    return d;
  }
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  double total = 0;
  for (int row = 0; row < x.height(); ++row) {
    const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
    const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
    for (int col = 0; col < x.width(); ++col) {
      for (int diff : {std::abs(qRed(p[col]) - qRed(q[col])), std::abs(qGreen(p[col]) - qGreen(q[col])),
                       std::abs(qBlue(p[col]) - qBlue(q[col]))}) {
        d.maxDiff = std::max(d.maxDiff, diff);
        total += diff;
      }
    }
  }
  d.meanDiff = total / (3.0 * x.width() * x.height());
  return d;
}

}  // namespace movietest
