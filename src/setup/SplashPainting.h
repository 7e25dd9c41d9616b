// Drawing the launcher's picture over its client area.
#pragma once

class QImage;
class QPainter;
class QSize;

// Copies picture unscaled when it is exactly the client area's size; otherwise
// stretches it over the whole area, dropping or repeating whole pixels (no smoothing),
// as the window has always drawn it. A null picture leaves the area as it is.
void PaintSplash(QPainter& painter, const QSize& client, const QImage& picture);
