// The outline that follows the pointer over the whole screen while an activity, an
// asterisk note or a row of the Table of Contents is dragged: a small window of its own, passing every mouse
// event through, drawing the outline in black and white dashes so that it shows on any
// background.
#pragma once

#include <QtGui/QPainterPath>
#include <QtWidgets/QWidget>

class CDragOutline : public QWidget {
 public:
  // outline: in its own coordinates; the window is centred on the pointer.
  explicit CDragOutline(const QPainterPath& outline);
  // Centres the outline on a screen point.
  void MoveTo(const QPoint& global);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPainterPath m_outline;
};
