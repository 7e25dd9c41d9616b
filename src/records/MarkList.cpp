#include "records/MarkList.h"

#include <QtCore/QMimeData>
#include <QtGui/QDrag>
#include <QtGui/QIcon>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QScrollBar>

#include "course/ActivityLocator.h"
#include "course/ContentsServices.h"
#include "course/ContentsTable.h"
#include "course/CourseText.h"
#include "course/ActivityKind.h"
#include "course/ProgramResources.h"
#include "course/ResourceIds.h"
#include "records/BookmarkClipboard.h"
#include "records/BookmarkList.h"

namespace {

QPixmap ResourcePixmap(const char* kind, int id, int size) {
  const std::string path = ProgramResourcePath(kind, id);
  if (path.empty()) return {};
  return QIcon(QString::fromStdString(path)).pixmap(size, size);
}

QPixmap PageGlyph(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(Qt::white);
  const int m = size / 6;
  p.drawRect(m, 1, size - 2 * m - 1, size - 3);
  for (int y = size / 3; y < size - 4; y += size / 6) p.drawLine(m + 3, y, size - m - 4, y);
  return pm;
}

QCursor ResourceCursor(int id, Qt::CursorShape fallback) {
  const QPixmap pm = ResourcePixmap("cursor", id, 32);
  return pm.isNull() ? QCursor(fallback) : QCursor(pm, 1, 1);
}
}  // namespace

QPixmap MarkIcon(const ActivityLocator& locator, const ContentsTable& contents, int size) {
  QPixmap pm;
  if (locator.mark >= 1 && locator.mark <= kCustomIconCount)
    pm = ResourcePixmap("icon", ico::kBookmarkFirst + locator.mark - 1, size);
  if (pm.isNull()) {
    const int kind = locator.Kind(contents);
    if (IsActivityKind(kind)) pm = ResourcePixmap("icon", ActivityKindIcon(kind), size);
  }
  return pm.isNull() ? PageGlyph(size) : pm;
}

CMarkList::CMarkList(CMarkListOwner& owner, int controlId, QWidget* parent)
    : QAbstractScrollArea(parent), m_owner(owner), m_controlId(controlId) {
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  viewport()->setMouseTracking(false);
  viewport()->setCursor(ResourceCursor(cur::kText, Qt::PointingHandCursor));
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFrameShape(QFrame::NoFrame);
  Relayout();
}

void CMarkList::SetSelected(int row) {
  if (row < -1 || row >= m_owner.MarkCount()) row = -1;
  m_selected = row;
  viewport()->update();
}

void CMarkList::Refresh() {
  if (m_selected >= m_owner.MarkCount()) m_selected = -1;
  Relayout();
  viewport()->update();
}

void CMarkList::SetTextSize(int points) {
  m_textSize = std::max(4, points);
  Refresh();
}

void CMarkList::SetLessonBookOpen(bool open) {
  m_lessonBookOpen = open;
  viewport()->update();
}

QFont CMarkList::TextFont() const {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setStyleHint(QFont::SansSerif);
  f.setPointSize(m_textSize);
  return f;
}

std::vector<int> CMarkList::RowHeights(int width) const {
  const QFontMetrics fm(TextFont());
  const int textWidth = std::max(1, width - kMarkTextLeft - kMarkRowMargin);
  std::vector<int> heights;
  for (int i = 0; i < m_owner.MarkCount(); ++i) {
    const QString text = QString::fromStdString(CourseToUtf8(m_owner.MarkText(i)));
    const QRect r = fm.boundingRect(QRect(0, 0, textWidth, 100000), Qt::TextWordWrap, text);
    heights.push_back(std::max(kMarkMinRowHeight, r.height() + 2 * kMarkRowMargin));
  }
  return heights;
}

void CMarkList::Relayout() {
  const auto heights = RowHeights(viewport()->width());
  m_tops.assign(1, 0);
  for (int h : heights) m_tops.push_back(m_tops.back() + h);
  QScrollBar* bar = verticalScrollBar();
  bar->setPageStep(viewport()->height());
  bar->setSingleStep(kMarkMinRowHeight);
  bar->setRange(0, std::max(0, ContentHeight() - viewport()->height()));
}

QRect CMarkList::RowRect(int row) const {
  if (row < 0 || row + 1 >= static_cast<int>(m_tops.size())) return {};
  return QRect(0, m_tops[static_cast<std::size_t>(row)], viewport()->width(),
               m_tops[static_cast<std::size_t>(row) + 1] - m_tops[static_cast<std::size_t>(row)]);
}

int CMarkList::RowAtContent(int y) const {
  for (std::size_t i = 0; i + 1 < m_tops.size(); ++i)
    if (y >= m_tops[i] && y < m_tops[i + 1]) return static_cast<int>(i);
  return -1;
}

int CMarkList::RowAt(const QPoint& pos) const { return RowAtContent(pos.y() + verticalScrollBar()->value()); }

QRect CMarkList::MenuButtonRect() const {
  const int s = 16;
  return QRect(viewport()->width() - s, viewport()->height() - s, s, s);
}

void CMarkList::PaintRows(QPainter& p, int first, int last, QPoint origin, int width) const {
  const ContentsTable& contents = CurrentContents();
  const auto heights = RowHeights(width);
  p.setFont(TextFont());
  int y = origin.y();
  for (int i = first; i <= last && i < static_cast<int>(heights.size()); ++i) {
    const int h = heights[static_cast<std::size_t>(i)];
    const QRect row(origin.x(), y, width, h);
    const bool selected = i == m_selected && p.device() == viewport();
    p.fillRect(row, selected ? palette().highlight() : QBrush(Qt::white));
    if (const ActivityLocator* l = m_owner.MarkLocator(i)) {
      const int iconTop = h <= kMarkMinRowHeight ? y + 2 : y + (h - kMarkIconSize) / 2;
      p.drawPixmap(origin.x() + 2, iconTop, MarkIcon(*l, contents, kMarkIconSize));
    }
    p.setPen(selected ? palette().highlightedText().color() : QColor(Qt::black));
    const QRect textRect(origin.x() + kMarkTextLeft, y + kMarkRowMargin, width - kMarkTextLeft - kMarkRowMargin,
                         h - 2 * kMarkRowMargin);
    p.drawText(textRect, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(CourseToUtf8(m_owner.MarkText(i))));
    y += h;
  }
}

void CMarkList::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  p.fillRect(viewport()->rect(), Qt::white);
  const int offset = verticalScrollBar()->value();
  if (m_owner.MarkCount() > 0) {
    const int first = std::max(0, RowAtContent(offset));
    int last = RowAtContent(offset + viewport()->height());
    if (last < 0) last = m_owner.MarkCount() - 1;
    PaintRows(p, first, last, QPoint(0, m_tops[static_cast<std::size_t>(first)] - offset), viewport()->width());
    if (m_pressedRow >= 0 && m_pressInside && !m_dragging) {
      // The pressed row is framed, one pixel inside.
      QRect r = RowRect(m_pressedRow).translated(0, -offset).adjusted(1, 1, -2, -2);
      p.setPen(QPen(Qt::black, 1, Qt::DotLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(r);
    }
  }
  const int id = m_menuPressed ? bmp::kMenuBoxPressed : (m_lessonBookOpen ? bmp::kMenuBoxOpen : bmp::kMenuBoxClosed);
  const QRect box = MenuButtonRect();
  const QPixmap pm = ResourcePixmap("bitmap", id, box.width());
  if (!pm.isNull()) p.drawPixmap(box, pm);
}

void CMarkList::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Relayout();
}

void CMarkList::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton && MenuButtonRect().contains(pos)) {
    m_menuPressed = true;
    viewport()->repaint();
    m_owner.MarkContextMenu(m_selected, viewport()->mapToGlobal(pos));
    m_menuPressed = false;
    viewport()->update();
    return;
  }
  const int row = RowAt(pos);
  if (event->button() == Qt::RightButton || (event->button() == Qt::LeftButton && pos.x() < kMarkTextLeft)) {
    if (row >= 0) SetSelected(row);
    m_owner.MarkContextMenu(row, viewport()->mapToGlobal(pos));
    return;
  }
  if (event->button() != Qt::LeftButton || row < 0) return;
  m_pressedRow = row;
  m_pressInside = true;
  m_dragging = false;
  viewport()->update();
}

void CMarkList::mouseMoveEvent(QMouseEvent* event) {
  if (m_pressedRow < 0) return;
  const QPoint content = event->position().toPoint() + QPoint(0, verticalScrollBar()->value());
  const QRect row = RowRect(m_pressedRow);
  const bool inside = row.contains(content);
  if (inside != m_pressInside) {
    m_pressInside = inside;
    viewport()->update();
  }
  const QRect far = row.adjusted(-kMarkDragDistance, -kMarkDragDistance, kMarkDragDistance, kMarkDragDistance);
  if (!far.contains(content)) {
    const int dragged = m_pressedRow;
    m_dragging = true;
    m_pressedRow = -1;
    viewport()->update();
    StartDrag(dragged);
    m_dragging = false;
  }
}

void CMarkList::mouseReleaseEvent(QMouseEvent* event) {
  const int row = m_pressedRow;
  m_pressedRow = -1;
  viewport()->update();
  if (row < 0 || event->button() != Qt::LeftButton) return;
  if (RowAt(event->position().toPoint()) == row && m_owner.AcceptsMark(row)) {
    SetSelected(row);
    m_owner.MarkChosen(row);
    emit command(m_controlId);
  }
}

QMimeData* CMarkList::MimeForRow(int row) const {
  const ActivityLocator* l = m_owner.MarkLocator(row);
  if (!l) return nullptr;
  return BookmarkMimeData(*l, m_owner.MarkText(row));
}

void CMarkList::StartDrag(int row) {
  QMimeData* data = MimeForRow(row);
  if (!data) return;
  m_dragRow = row;
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  // An outline of the row follows the pointer.
  const QRect r = RowRect(row);
  QPixmap outline(r.size().boundedTo(QSize(400, 200)));
  outline.fill(Qt::transparent);
  QPainter p(&outline);
  p.setPen(QPen(Qt::black, 1, Qt::DotLine));
  p.drawRect(outline.rect().adjusted(0, 0, -1, -1));
  p.end();
  drag->setPixmap(outline);
  drag->setHotSpot(QPoint(outline.width() / 2, outline.height() / 2));
  drag->setDragCursor(ResourcePixmap("cursor", cur::kDrag, 32), Qt::MoveAction);
  drag->setDragCursor(ResourcePixmap("cursor", cur::kDrag, 32), Qt::CopyAction);
  drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
  m_dragRow = -1;
}

void CMarkList::dragEnterEvent(QDragEnterEvent* event) {
  if (m_owner.AcceptsDrop(event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void CMarkList::dragMoveEvent(QDragMoveEvent* event) {
  if (m_owner.AcceptsDrop(event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void CMarkList::dropEvent(QDropEvent* event) {
  if (!m_owner.AcceptsDrop(event->mimeData())) {
    event->ignore();
    return;
  }
  const bool fromHere = event->source() == this && m_dragRow >= 0;
  m_owner.Dropped(event->mimeData(), RowAt(event->position().toPoint()), fromHere ? m_dragRow : -1);
  event->setDropAction(fromHere ? Qt::MoveAction : Qt::CopyAction);
  event->accept();
}
