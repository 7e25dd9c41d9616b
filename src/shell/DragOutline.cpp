#include "shell/DragOutline.h"

#include <QtGui/QPainter>

namespace {
constexpr int kMargin = 2;
}

CDragOutline::CDragOutline(const QPainterPath& outline)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  const QRectF bounds = outline.boundingRect();
  m_outline = outline.translated(-bounds.topLeft() + QPointF(kMargin, kMargin));
  resize(bounds.size().toSize() + QSize(2 * kMargin + 1, 2 * kMargin + 1));
}

void CDragOutline::MoveTo(const QPoint& global) { move(global - QPoint(width() / 2, height() / 2)); }

void CDragOutline::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(Qt::white, 1.0));
  p.drawPath(m_outline);
  p.setPen(QPen(Qt::black, 1.0, Qt::DashLine));
  p.drawPath(m_outline);
}
