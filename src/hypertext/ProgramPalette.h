// The program palette: 244 colours shared by all course drawing. Entries 0-215 are
// the 6x6x6 colour cube (levels 0, 51, ..., 255; entry 36r + 6g + b), 216-225 the
// greys the cube lacks (17a for a = 1, 2, 4, 5, 7, 8, 10, 11, 13, 14), 226-243 the
// fixed colours of the script's colour words. Drop shadows are 8-bit images whose
// colour table is this palette.
#pragma once

#include <QtGui/QRgb>
#include <QtCore/QList>
#include <array>

class ProgramPalette {
 public:
  static constexpr int kCount = 244;
  static constexpr int kWhite = 215;

  // The 244 entries, opaque.
  static const std::array<QRgb, kCount>& Entries();
  // Entries() as a colour table for an 8-bit QImage.
  static QList<QRgb> ColourTable();

  // The entry nearest to (r, g, b) by squared distance in RGB; ties go to the lower
  // index. Exact for every input, computed without scanning the cube.
  static int NearestIndex(int r, int g, int b);
  static int NearestIndex(QRgb colour) { return NearestIndex(qRed(colour), qGreen(colour), qBlue(colour)); }
};
