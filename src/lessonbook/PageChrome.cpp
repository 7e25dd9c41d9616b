#include "lessonbook/PageChrome.h"

#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <algorithm>

#include "course/ResourceIds.h"
#include "lessonbook/PageArt.h"

namespace {

constexpr int kTabIconSize = 16;

QColor Rgb(unsigned rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

}  // namespace

const PageStyle& PageStyleOf(int format) {
  // Title ink, rule, selection, selection edge, the four tab faces, tab edge, icon disc.
  static const std::array<PageStyle, kPageFormatCount> styles = {{
      // Spiral-bound: navy cover, bright index tabs.
      {Rgb(0x1D3557), Rgb(0x5C6F89), Rgb(0xFFF6CC), Rgb(0xE9C95A),
       {Rgb(0xF6D55C), Rgb(0x8FD18B), Rgb(0x7FB8E8), Rgb(0xF29CB0)}, Rgb(0x34445C), Rgb(0xFFFFFF)},
      // Leather-bound: brown ink, gilt tabs.
      {Rgb(0x6B3410), Rgb(0x8C5A2B), Rgb(0xF8EBD0), Rgb(0xC8A165),
       {Rgb(0xD9B56B), Rgb(0xC99B57), Rgb(0xBE8C4A), Rgb(0xB27E40)}, Rgb(0x5A2D0C), Rgb(0xFFF7E6)},
      // Plain Vanilla: quiet greys.
      {Rgb(0x2F2F2F), Rgb(0x8A8A8A), Rgb(0xEDF2F7), Rgb(0xB8C4D0),
       {Rgb(0xE6E6E6), Rgb(0xDCDCDC), Rgb(0xD2D2D2), Rgb(0xC8C8C8)}, Rgb(0x8A8A8A), Rgb(0xFFFFFF)},
      // High Tech: graphite and cyan.
      {Rgb(0x0B6E8A), Rgb(0x1E9BB8), Rgb(0xE3F7FB), Rgb(0x3EC5E0),
       {Rgb(0x2B3640), Rgb(0x2B3640), Rgb(0x2B3640), Rgb(0x2B3640)}, Rgb(0x3EC5E0), Rgb(0xDFF8FF)},
      // Notebook: blue ink, coloured dividers.
      {Rgb(0x1A4F9C), Rgb(0xD9534F), Rgb(0xFFF9D6), Rgb(0xF0D264),
       {Rgb(0xFF9F80), Rgb(0xFFD166), Rgb(0x9BD88F), Rgb(0x8EC5F0)}, Rgb(0x6B6B6B), Rgb(0xFFFFFF)},
      // Stylish: deep teal with gold.
      {Rgb(0x0F5257), Rgb(0xB48A3C), Rgb(0xE8F3F1), Rgb(0x7FB3AE),
       {Rgb(0x1C6E72), Rgb(0x1C6E72), Rgb(0x1C6E72), Rgb(0x1C6E72)}, Rgb(0xC9A14A), Rgb(0xF5E6C0)},
      // Cream: warm browns.
      {Rgb(0x7A4B1E), Rgb(0xB08A5E), Rgb(0xFBF0DA), Rgb(0xE0C18F),
       {Rgb(0xEAD2A8), Rgb(0xE2C595), Rgb(0xD9B883), Rgb(0xD0AB72)}, Rgb(0x9C7446), Rgb(0xFFFBF2)},
  }};
  return styles[static_cast<std::size_t>(std::clamp(format, 0, kPageFormatCount - 1))];
}

PageChrome::PageChrome(int format) : m_format(std::clamp(format, 0, kPageFormatCount - 1)) {
  const PageFormatPictures& ids = kPageFormatPictures[static_cast<std::size_t>(m_format)];
  m_binding = LessonArtImage("bitmap", ids.binding);
  m_bottomLeft = LessonArtImage("bitmap", ids.bottomLeft);
  m_bottom = LessonArtImage("bitmap", ids.bottom);
  if (m_format != 6) m_bottomRight = LessonArtImage("bitmap", ids.bottomRight);
  m_right = LessonArtImage("bitmap", ids.rightEdge);
  m_bindingWidth = m_binding.isNull() ? 0 : qRound(m_binding.deviceIndependentSize().width());
  m_rightWidth = m_right.isNull() ? 0 : qRound(m_right.deviceIndependentSize().width());
  m_bottomHeight = m_bottom.isNull() ? 0 : qRound(m_bottom.deviceIndependentSize().height());
}

int PageChrome::textLeft() const { return m_bindingWidth + (m_format == 6 ? 0 : kTextMargin); }

int PageChrome::textRight(int canvasWidth) const { return std::max(textLeft(), canvasWidth - m_rightWidth - kTextMargin); }

QRect PageChrome::PaperRect(const QSize& canvas) const {
  return QRect(m_bindingWidth, 0, std::max(0, canvas.width() - m_bindingWidth - m_rightWidth),
               std::max(0, canvas.height() - m_bottomHeight));
}

QRect PageChrome::TabRect(int i, const QSize& canvas, int scroll) const {
  const int x = canvas.width() - m_rightWidth + 2;
  return QRect(x, scroll + kTabTop + i * (kTabHeight + kTabGap), std::max(8, m_rightWidth - 3), kTabHeight);
}

QRect PageChrome::DogEarRect(const QSize& canvas) const {
  const QRect paper = PaperRect(canvas);
  return QRect(paper.right() + 1 - kDogEarSize, paper.bottom() + 1 - kDogEarSize, kDogEarSize, kDogEarSize);
}

void PageChrome::Tile(QPainter& painter, const QImage& image, const QRect& target, const QRect& clip) const {
  if (image.isNull() || target.isEmpty()) return;
  const QSize tile = image.deviceIndependentSize().toSize();
  if (tile.isEmpty()) return;
  const QRect area = target & clip;
  if (area.isEmpty()) return;
  painter.save();
  painter.setClipRect(target, Qt::IntersectClip);
  // Tiles keep their phase from the target's top-left corner, so that scrolling moves them.
  const int x0 = target.left() + ((area.left() - target.left()) / tile.width()) * tile.width();
  const int y0 = target.top() + ((area.top() - target.top()) / tile.height()) * tile.height();
  for (int y = y0; y <= area.bottom(); y += tile.height())
    for (int x = x0; x <= area.right(); x += tile.width()) painter.drawImage(QPoint(x, y), image);
  painter.restore();
}

void PageChrome::PaintTab(QPainter& painter, int i, const QRect& rect, bool hot) const {
  const PageStyle& s = style();
  QColor face = s.tabs[static_cast<std::size_t>(i)];
  if (hot) face = face.lighter(112);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  // An index tab: square where it leaves the page, rounded at its outer edge.
  QPainterPath path;
  const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
  const qreal radius = std::min<qreal>(7.0, r.width() / 2);
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - radius, r.top());
  path.quadTo(r.right(), r.top(), r.right(), r.top() + radius);
  path.lineTo(r.right(), r.bottom() - radius);
  path.quadTo(r.right(), r.bottom(), r.right() - radius, r.bottom());
  path.lineTo(r.left(), r.bottom());
  QLinearGradient fill(r.topLeft(), r.topRight());
  fill.setColorAt(0.0, face.darker(108));
  fill.setColorAt(0.45, face.lighter(106));
  fill.setColorAt(1.0, face);
  painter.setPen(QPen(s.tabEdge, 1.0));
  painter.setBrush(fill);
  // A soft shadow first, down and to the right.
  painter.save();
  painter.translate(1.5, 1.5);
  painter.fillPath(path, QColor(0, 0, 0, 45));
  painter.restore();
  painter.drawPath(path);
  const QPointF centre = r.center();
  const qreal disc = kTabIconSize + 4;
  painter.setPen(Qt::NoPen);
  painter.setBrush(s.tabIcon);
  painter.drawEllipse(QRectF(centre.x() - disc / 2, centre.y() - disc / 2, disc, disc));
  const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
  const QImage icon =
      LessonArtImage("bitmap", kPageTabBars[static_cast<std::size_t>(i)], QSize(kTabIconSize, kTabIconSize), ratio);
  if (!icon.isNull())
    painter.drawImage(QPointF(centre.x() - kTabIconSize / 2.0, centre.y() - kTabIconSize / 2.0), icon);
  painter.restore();
}

void PageChrome::Paint(QPainter& painter, const QRect& area, const QSize& canvas, int scroll, int viewHeight,
                       int hotTab, DogEarState dogEar) const {
  // The whole area first: the chrome pictures have soft, partly transparent edges, and
  // the view does not clear what an earlier paint left behind them.
  painter.fillRect(area, Qt::white);
  const int bottomTop = canvas.height() - m_bottomHeight;
  const int leftCornerWidth = m_bottomLeft.isNull() ? 0 : qRound(m_bottomLeft.deviceIndependentSize().width());
  const int rightCornerWidth = m_bottomRight.isNull() ? 0 : qRound(m_bottomRight.deviceIndependentSize().width());
  Tile(painter, m_binding, QRect(0, 0, m_bindingWidth, bottomTop), area);
  Tile(painter, m_right, QRect(canvas.width() - m_rightWidth, 0, m_rightWidth, bottomTop), area);
  Tile(painter, m_bottom,
       QRect(leftCornerWidth, bottomTop, canvas.width() - leftCornerWidth - rightCornerWidth, m_bottomHeight), area);
  if (!m_bottomLeft.isNull() && area.intersects(QRect(0, bottomTop, leftCornerWidth, m_bottomHeight)))
    painter.drawImage(QPoint(0, bottomTop), m_bottomLeft);
  if (!m_bottomRight.isNull()) {
    const QRect corner(canvas.width() - rightCornerWidth, bottomTop, rightCornerWidth, m_bottomHeight);
    if (area.intersects(corner)) painter.drawImage(corner.topLeft(), m_bottomRight);
  }  // format 6 has no corner: its bottom strip runs to the right end
  for (int i = 0; i < 4; ++i) {
    const QRect tab = TabRect(i, canvas, scroll);
    if (tab.bottom() > scroll + viewHeight) break;
    if (tab.intersects(area)) PaintTab(painter, i, tab, hotTab == i);
  }
  if (dogEar != DogEarState::Hidden) {
    const QRect ear = DogEarRect(canvas);
    if (ear.intersects(area)) {
      const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
      const QImage image = LessonArtImage("icon", dogEar == DogEarState::Pressed ? ico::kDogEarPressed : ico::kDogEar,
                                          ear.size(), ratio);
      if (!image.isNull()) painter.drawImage(ear.topLeft(), image);
    }
  }
}
