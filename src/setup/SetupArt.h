// The launcher's own pictures: icon 128 (window icon and About box) and bitmap 129,
// the picture shown when setup.cfg has no "Splash". Both are SVG resources.
#pragma once

class QIcon;
class QImage;

QIcon SetupProgramIcon();
// Icon 128 drawn side x side pixels; null when the resource is missing.
QImage SetupIconImage(int side);
// Bitmap 129 at its own size (the default client area, 500 x 375).
QImage SetupDefaultPicture();
