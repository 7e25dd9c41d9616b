// The Table of Contents bar's mouse: the menu box and the right button open the context
// menu; a click on a branch's box or label opens or closes it; any other click on a row
// is tracked while a Lesson Book is open, turns the book when released on the row, and
// becomes a drag of the row's locator when the pointer goes far from the row.
#include <QtGui/QDrag>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include "course/ContentsTable.h"
#include "records/BookmarkClipboard.h"
#include "shell/ContentsBar.h"
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
  const QRect rect = RowRect(m_pressedRow);
  const bool inside = rect.contains(pos);
  if (inside != m_pressInside) {
    m_pressInside = inside;
    update(rect);
  }
  const QRect near = rect.adjusted(-kDragDistance, -kDragDistance, kDragDistance, kDragDistance);
  if (!near.contains(pos)) StartDrag(m_pressedRow);
}

void CContentsBar::mouseReleaseEvent(QMouseEvent* event) {
  if (m_pressedRow < 0) return;
  const int row = m_pressedRow;
  const bool inside = RowRect(row).contains(event->position().toPoint());
  EndTracking();
  if (event->button() == Qt::LeftButton && inside) TurnBook(row);
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
  m_pressedRow = -1;
  m_pressInside = false;
  m_dragging = false;
  update();
}

void CContentsBar::StartDrag(int row) {
  ActivityLocator locator = RowLocator(row);
  if (locator.lesson < 0) return;
  // A bookmark points at a page at least: a lesson is its first page.
  if (locator.page < 0) locator.page = 0;
  const ContentsTable* contents = BarContents();
  QMimeData* data = BookmarkMimeData(locator, contents ? locator.Describe(*contents) : RowText(row));
  m_dragging = true;
  update(RowRect(row));
  const QRect rect = RowRect(row);
  if (m_dragRunner) {
    m_dragRunner(data, rect);
  } else {
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    // An outline of the row, centred on the pointer, follows it.
    QPixmap outline(rect.size().boundedTo(QSize(400, 100)).expandedTo(QSize(2, 2)));
    outline.fill(Qt::transparent);
    QPainter painter(&outline);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(outline.rect().adjusted(0, 0, -1, -1));
    painter.end();
    drag->setPixmap(outline);
    drag->setHotSpot(QPoint(outline.width() / 2, outline.height() / 2));
    const QPixmap cursor = ProgramPixmap("cursor", kDragCursor, QSize(32, 32));
    drag->setDragCursor(cursor, Qt::CopyAction);
    drag->setDragCursor(cursor, Qt::MoveAction);
    // Where no window accepts the locator the drag ends without a drop.
    drag->exec(Qt::CopyAction, Qt::CopyAction);
  }
  // The button was released during the drag: the click is over.
  EndTracking();
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
