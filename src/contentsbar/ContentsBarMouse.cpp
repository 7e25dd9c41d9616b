// The Table of Contents bar's mouse: the menu box and the right button open the context
// menu; a click on a branch's box or label opens or closes it; any other click on a row
// is tracked while a Lesson Book is open, turns the book when released on the row, and
// becomes a drag of the row's locator when the pointer goes far from the row; coming back
// to the row takes the drag back, and a release elsewhere drops the locator there.
#include <QtCore/QMimeData>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include "contentsbar/ContentsBar.h"
#include "course/ContentsTable.h"
#include "course/ResourceIds.h"
#include "records/BookmarkClipboard.h"
#include "shell/DragOutline.h"
#include "shell/LessonBookLink.h"
#include "shell/ProgramArt.h"
#include "shell/WindowTools.h"

void CContentsBar::mousePressEvent(QMouseEvent* event) {
  CTearToolBar::mousePressEvent(event);
  // Taken here, so that the moves and the release of this press come here too.
  event->accept();
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton && CornerSquare().contains(pos)) {
    m_menuPressed = true;
    repaint(CornerSquare());
    OpenMenu(mapToGlobal(pos));
    m_menuPressed = false;
    update(CornerSquare());
    return;
  }
  if (event->button() == Qt::RightButton) {
    if (m_pressedRow < 0) OpenMenu(mapToGlobal(pos));
    return;
  }
  if (event->button() != Qt::LeftButton || m_pressedRow >= 0) return;
  if (m_rebuild) Rebuild();
  const int row = RowAt(pos);
  const ContentsRow* r = m_rows.row(row);
  if (!r) return;
  const QRect rect = RowRect(row);
  if (ContentsTable* contents = BarContents();
      contents && InToggleArea(*r, PlaceRow(*r, RowHeight(), m_tocIcons), RowHeight(), pos - rect.topLeft())) {
    const bool allPages = event->modifiers() & Qt::ControlModifier;
    if (ToggleRow(*contents, *r, allPages)) {
      m_rebuild = true;
      update();
    }
    return;
  }
  if (!FindLessonBook()) return;
  m_pressedRow = row;
  m_pressInside = true;
  m_dragging = false;
  update(rect);
}

void CContentsBar::mouseMoveEvent(QMouseEvent* event) {
  if (m_pressedRow < 0) return;
  const QPoint pos = event->position().toPoint();
  const QPoint global = event->globalPosition().toPoint();
  const QRect rect = RowRect(m_pressedRow);
  const bool inside = rect.contains(pos);
  if (m_dragging) {
    // Back on the row the drag is taken back: the press goes on, and a release turns the book.
    if (inside)
      StopDrag();
    else if (m_outline)
      m_outline->MoveTo(global);
  } else {
    const QRect near = rect.adjusted(-kDragDistance, -kDragDistance, kDragDistance, kDragDistance);
    if (!near.contains(pos)) StartDrag(global);
  }
  if (inside != m_pressInside) {
    m_pressInside = inside;
    update(rect);
  }
}

void CContentsBar::mouseReleaseEvent(QMouseEvent* event) {
  if (m_pressedRow < 0) return;
  const int row = m_pressedRow;
  const bool inside = RowRect(row).contains(event->position().toPoint());
  const bool dragged = m_dragging && !inside;
  EndTracking();
  if (event->button() != Qt::LeftButton) return;
  if (inside)
    TurnBook(row);
  else if (dragged)
    DropRow(row, event->globalPosition().toPoint());
}

void CContentsBar::showEvent(QShowEvent* event) {
  CTearToolBar::showEvent(event);
  // Shown again: the rows may have changed while hidden, and the tree follows the book.
  update();
}

void CContentsBar::hideEvent(QHideEvent* event) {
  // Hidden with a click still held: the click is cancelled.
  EndTracking();
  CTearToolBar::hideEvent(event);
}

void CContentsBar::EndTracking() {
  if (m_pressedRow < 0 && !m_dragging) return;
  StopDrag();
  m_pressedRow = -1;
  m_pressInside = false;
  update();
}

void CContentsBar::StartDrag(QPoint globalPos) {
  if (RowLocator(m_pressedRow).lesson < 0) return;
  m_dragging = true;
  QGuiApplication::setOverrideCursor(ProgramCursor(cur::kDrag));
  // An outline of the row, centred on the pointer, follows it over the screen.
  QPainterPath outline;
  outline.addRect(QRectF(QPointF(0, 0), RowRect(m_pressedRow).size()));
  m_outline = std::make_unique<CDragOutline>(outline);
  m_outline->MoveTo(globalPos);
  m_outline->show();
  update(RowRect(m_pressedRow));
}

void CContentsBar::StopDrag() {
  if (!m_dragging) return;
  m_dragging = false;
  if (m_outline) {
    m_outline->hide();
    m_outline.reset();
  }
  QGuiApplication::restoreOverrideCursor();
  if (m_pressedRow >= 0) update(RowRect(m_pressedRow));
}

void CContentsBar::DropRow(int row, QPoint globalPos) {
  ActivityLocator locator = RowLocator(row);
  if (locator.lesson < 0) return;
  // A bookmark points at a page at least: a lesson is its first page.
  if (locator.page < 0) locator.page = 0;
  const ContentsTable* contents = BarContents();
  const std::unique_ptr<QMimeData> data(
      BookmarkMimeData(locator, contents ? locator.Describe(*contents) : RowText(row)));
  DropDataAt(*data, globalPos);
}

void CContentsBar::TurnBook(int row) {
  QWidget* book = FindLessonBook();
  auto* link = dynamic_cast<LessonBookLink*>(book);
  if (!link) return;
  ActivityLocator locator = RowLocator(row);
  if (locator.lesson < 0) return;
  // A lesson (or group) row opens the lesson at its first page.
  if (locator.page < 0) locator.page = 0;
  BringToFront(book);
  link->GoTo(locator, false, false);
}
