// The soft drop shadow of activity icons: an 8-bit image in the program palette,
// (w + 8) x (h + 10) for a w x h picture, white where nothing falls. The shadow of
// pixel (X, Y) grows with the number of opaque picture pixels in the 8 x 8 box
// reaching up and left from (X - 3, Y - 3); the picture sits over it shifted by the
// press depth, 0 (raised) to 6 (pressed).
#pragma once

#include <QtGui/QImage>

struct PixelSource;

class PictureShadow {
 public:
  static constexpr int kMaxDepth = 6;
  static constexpr int kExtraWidth = 8;
  static constexpr int kExtraHeight = 10;
  // Pictures larger than this on either side get no shadow image.
  static constexpr int kMaxSide = 1024;

  // depth is clamped to 0..6. dark halves every channel of the picture's colours
  // (the caller passes it for 8-bit pictures only). Returns a null image when the
  // source is empty or too large.
  //
  // The two work images are kept for the life of the thread (the user-interface
  // thread) and grow to the largest picture seen.
  static QImage Render(const PixelSource& source, int depth, bool dark);

  // The palette index of the shadow under n opaque pixels (n = 0..64) at a depth:
  // the entry nearest to grey 255 - min(n (12 - depth) / 3, 132).
  static int Shade(int n, int depth);
};
