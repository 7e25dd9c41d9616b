// The page-turn animation: the page shown is lifted at its bottom-right corner and folded
// over to the left, uncovering the next page; turning back lays the earlier page down
// over the current one the same way in reverse. Each frame is drawn from pictures of the
// two pages with polygons: the part of the old page not yet lifted, the lifted flap
// mirrored across the fold showing the paper's back, and the shadows along the fold.
#pragma once

#include <QtGui/QImage>
#include <QtGui/QPolygonF>

class QPainter;

struct PageTurnFrame {
  QPolygonF flat;  // the part of the old page still lying flat
  QPolygonF flap;  // the lifted part, after folding (may reach past the page)
  QLineF fold;     // the fold line between them, clipped to the page
  QPointF lift;    // unit vector across the fold towards the lifted side
};

// The geometry of the forward turn at t (0: not yet lifted, 1: turned) for a page of size.
PageTurnFrame PageTurnGeometry(const QSizeF& size, double t);

// Draws frame t of a turn into painter at (0, 0): forward turns lift from onto to;
// backward turns lay to down over from. from and to have the same size. At t 0 the
// painter shows from, at t 1 it shows to.
void PaintPageTurn(QPainter& painter, const QImage& from, const QImage& to, double t, bool forward);

// The eased progress of a turn that has run elapsedMs of durationMs (0 to 1).
double PageTurnProgress(qint64 elapsedMs, qint64 durationMs);
