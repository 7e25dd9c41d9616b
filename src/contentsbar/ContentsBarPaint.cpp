// Drawing the Table of Contents rows: tree lines, expansion boxes, kind icons, check
// marks and labels on white, and the menu box in the corner.
#include <QtGui/QPaintEvent>
#include <QtGui/QPainter>
#include <map>
#include <tuple>

#include "contentsbar/ContentsBar.h"
#include "contentsbar/ContentsLabels.h"
#include "course/ContentsTable.h"
#include "course/CourseText.h"
#include "course/ResourceIds.h"
#include "shell/BarImages.h"

namespace {

const QColor kLineColour(102, 102, 102);
const QColor kGroupColour(0, 0, 187);
constexpr int kFontPixels = 9;

// The program pictures the bar draws, rendered once per size and pixel ratio: a paint
// draws many rows, each with a box or an icon. Images rather than pixmaps, so that the
// cache may outlive the application object.
const QImage& CachedImage(std::string_view kind, int id, int side, qreal dpr) {
  static std::map<std::tuple<std::string, int, int, qreal>, QImage> cache;
  const auto key = std::make_tuple(std::string(kind), id, side, dpr);
  auto it = cache.find(key);
  if (it == cache.end()) {
    QImage image = RenderProgramImage(kind, id, QSize(side, side) * dpr);
    image.setDevicePixelRatio(dpr);
    it = cache.emplace(key, std::move(image)).first;
  }
  return it->second;
}

QFont RowFont(const ContentsRow& row) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(kFontPixels);
  if (row.type == kRowGroup) {
    font.setBold(true);
    font.setUnderline(true);
  } else if (row.type == kRowLesson) {
    font.setBold(true);
  } else if (row.isActivity()) {
    font.setItalic(true);
  }
  return font;
}

}  // namespace

void CContentsBar::paintEvent(QPaintEvent* event) {
  const bool pending = m_adjust || m_rebuild;
  ApplyPending();
  CTearToolBar::paintEvent(event);
  // The rows or the scroll position may have changed under this paint's clip.
  if (pending) update();
}

void CContentsBar::DrawRow(QPainter& p, int r, int top, int width, bool tocIcons, int lessonBase) {
  ContentsRow& row = *m_rows.row(r);
  const int h = RowHeight();
  const ContentsRowPlaces places = PlaceRow(row, h, tocIcons);
  const int cy = top + h / 2;
  const int bottom = top + h - 1;
  const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;

  // Tree lines: the ancestors' sibling lines passing by, the row's own line and branch,
  // and the line down to an open row's children.
  p.setPen(QPen(kLineColour, 1));
  for (int k = 1; k < kRowLevels; ++k)
    if (row.throughLines & (1u << k)) p.drawLine(RowColumn(k - 1), top, RowColumn(k - 1), bottom);
  if (places.lineX >= 0) {
    p.drawLine(places.lineX, row.linkUp ? top : cy, places.lineX, row.hasNext ? bottom : cy);
    if (places.branchEnd > places.lineX) p.drawLine(places.lineX, cy, places.branchEnd - 1, cy);
  }
  if (row.hasChildren) {
    const int x = RowColumn(row.level());
    p.drawLine(x, places.box.isEmpty() ? cy : top + places.box.bottom() + 1, x, bottom);
  }

  if (!places.box.isEmpty()) {
    const QImage& box = CachedImage("bitmap", row.expanded ? bmp::kBoxOpen : bmp::kBoxClosed, kBoxSize, dpr);
    if (!box.isNull()) p.drawImage(places.box.translated(0, top), box);
  }
  if (row.isActivity()) {
    if (tocIcons) {
      const QImage& icon = CachedImage("icon", ActivityKindIcon(row.type), kIconSize, dpr);
      if (!icon.isNull()) p.drawImage(places.icon.translated(0, top), icon);
    }
    if (row.completed) {
      const QImage& check = CachedImage("icon", ico::kCheckMark, kIconSize, dpr);
      if (!check.isNull()) p.drawImage(places.check.translated(0, top), check);
    }
  }

  const ContentsTable* contents = BarContents();
  if (!contents) return;
  const QString label = QString::fromStdString(CourseToUtf8(RowLabel(row, *contents, lessonBase, tocIcons)));
  p.setFont(RowFont(row));
  p.setPen(row.type == kRowGroup ? kGroupColour : QColor(Qt::black));
  const QRect textRect(places.labelLeft, top, std::max(0, width - places.labelLeft), h);
  QRect drawn;
  p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, label, &drawn);
  row.textRight = drawn.isNull() ? places.labelLeft : drawn.right() + 1;
}

void CContentsBar::PaintRows(QPainter& p, const QRect& area, int width, bool printing) {
  if (!printing) p.fillRect(area, Qt::white);
  const ContentsTable* contents = BarContents();
  const int h = RowHeight();
  if (!contents || h <= 0) return;
  const RowSpan span = TearRowsIn(area.top(), area.top() + area.height(), 0, h, m_rows.count());
  const int lessonBase = contents->LessonBase();
  for (int r = span.first; r <= span.last; ++r) {
    // A printed row's label edge is in the printer's units: the screen's stays.
    const int keep = m_rows.row(r)->textRight;
    DrawRow(p, r, r * h, width, m_tocIcons, lessonBase);
    if (printing) m_rows.row(r)->textRight = keep;
  }
  // The pressed row: an inverted frame one pixel inside it.
  if (!printing && m_pressedRow >= 0 && m_pressInside && !m_dragging) {
    const QRect frame = QRect(0, m_pressedRow * h, width, h).adjusted(1, 1, -2, -2);
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
    p.restore();
  }
}

void CContentsBar::PaintCorner(QPainter& p, const QRect& square) {
  p.fillRect(square, palette().window());
  const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
  const QImage& box =
      CachedImage("bitmap", m_menuPressed ? bmp::kMenuBoxPressed : bmp::kMenuBoxOpen, square.width(), dpr);
  if (!box.isNull()) p.drawImage(square, box);
}
