// Shapes: arc, arrow, circle, ellipse, frame, line, pointer, rectangle, square_root, wedge.
#include <QtCore/QJsonArray>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <algorithm>
#include <cmath>

#include "course/AsciiCase.h"
#include "exposition/ExpoKinds.h"
#include "exposition/ExpoScene.h"
#include "exposition/Keywords.h"

namespace {

constexpr double kHeadAngle = 0.52;  // radians either side of the reversed line

double ClampAngle(double degrees) { return std::clamp(degrees, -1e6, 1e6); }

QPointF Along(QPointF a, QPointF b, double fraction) { return a + (b - a) * fraction; }

}  // namespace

void CExpoShape::BeginConfigure() {
  m_penWidth = m_form == kw::rectangle ? 1 : m_scene->penWidth;
  m_style = m_scene->penStyle;
  m_cap = m_scene->penCap;
  m_head = m_scene->arrowHead;
}

void CExpoShape::SetAttribute(int code, ScriptValue& value) {
  std::int32_t i = 0;
  double r = 0;
  switch (code) {
    case 0: {
      ExpoRect box = m_scene->JointBox(m_scene->Resolve(value));
      if (box.width() == 0 && box.height() == 0) return;
      if (m_form == kw::square_root) {
        box.left -= box.height() * 2 / 3 + 2;
        box.top -= 2;
      }
      m_rect = box;
      m_namesSet = true;
      return;
    }
    case kw::angle:
      if (!ArgReal(value, r)) return;
      m_angle = ClampAngle(r);
      m_angleSet = true;
      return;
    case kw::end:
      if (ArgReal(value, r)) m_endAngle = ClampAngle(r);
      return;
    case kw::start:
      if (ArgReal(value, r)) m_startAngle = ClampAngle(r);
      return;
    case kw::head:
      if (!ArgInteger(value, i)) return;
      m_head = i <= 0 ? kHeadDefault : std::min(i, 1000);
      m_scene->arrowHead = m_head;
      return;
    case kw::margin:
      if (ArgInteger(value, i)) m_margin = std::clamp(i, 0, kMarginMax);
      return;
    case kw::style: {
      std::string word;
      if (!ArgText(value, word)) return;
      word = ToAsciiLower(word);
      if (word == "dashed") {
        m_style = Qt::DashLine;
      } else if (word == "dotted") {
        m_style = m_scene->penStyle = Qt::DotLine;
      } else if (word == "solid") {
        m_style = Qt::SolidLine;
      } else if (word == "flat") {
        m_cap = m_scene->penCap = Qt::FlatCap;
      } else if (word == "square") {
        m_cap = m_scene->penCap = Qt::SquareCap;
      } else if (word == "rounded") {
        m_cap = Qt::RoundCap;
      }
      return;
    }
    case kw::width:
      if (!ArgInteger(value, i)) return;
      m_penWidth = std::clamp(i, 0, kPenMax);
      m_scene->penWidth = m_penWidth;
      return;
    default:
      CExpoObject::SetAttribute(code, value);
  }
}

bool CExpoShape::FinishConfigure() {
  // The corners in the order they were set are the line's start and end.
  m_start = QPoint(m_rect.left, m_rect.top);
  m_end = QPoint(m_rect.right, m_rect.bottom);
  if (m_margin) {
    m_rect.left -= m_margin;
    m_rect.top -= m_margin;
    m_rect.right += m_margin;
    m_rect.bottom += m_margin;
    m_start = QPoint(m_rect.left, m_rect.top);
    m_end = QPoint(m_rect.right, m_rect.bottom);
  }
  m_rect.Normalize();
  m_anchor = m_rect.topLeft();
  if (m_angleSet) m_endAngle = ClampAngle(m_startAngle + m_angle);
  return true;
}

double CExpoShape::Sweep() const {
  double sweep = m_endAngle - m_startAngle;
  if (m_endAngle < m_startAngle) sweep += 360;
  // Beyond one turn a sweep shows nothing more; an end far behind the start stays at 0.
  return std::clamp(sweep, 0.0, 360.0);
}

bool CExpoShape::HeadPoints(QPointF& a, QPointF& b) const {
  const QPointF s = startPoint();
  const QPointF e = endPoint();
  const double dx = s.x() - e.x();
  const double dy = s.y() - e.y();
  if (dx == 0 && dy == 0) return false;
  const double back = std::atan2(dy, dx);
  a = e + QPointF(std::cos(back + kHeadAngle), std::sin(back + kHeadAngle)) * m_head;
  b = e + QPointF(std::cos(back - kHeadAngle), std::sin(back - kHeadAngle)) * m_head;
  return true;
}

void CExpoShape::Paint(QPainter& p, const ExpoPaint& paint) const {
  const QColor colour(paint.colour);
  const double shown = 1.0 - std::clamp(paint.grow, 0.0, 1.0);
  const QRect r = m_rect.ToQRect();
  QPen pen(colour, m_penWidth, m_style, m_cap, Qt::MiterJoin);
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(pen);
  // Qt's angles run counter-clockwise from three o'clock in sixteenths of a degree;
  // these run clockwise from twelve.
  const int qtStart = static_cast<int>(std::lround((90.0 - std::fmod(m_startAngle, 360.0)) * 16));
  const int qtSweep = -static_cast<int>(std::lround(Sweep() * 16));
  // Filled rectangles and circles that grow rise from their bottom edge.
  const QRect grown(r.left(), r.top() + static_cast<int>(r.height() * (1 - shown)), r.width(),
                    static_cast<int>(r.height() * shown));
  switch (m_form) {
    case kw::arc:
      p.drawArc(r, qtStart, qtSweep);
      break;
    case kw::line:
    case kw::arrow:
    case kw::pointer: {
      const QPointF s = startPoint();
      const QPointF e = Along(s, endPoint(), shown);
      if (s != e) p.drawLine(s, e);
      QPointF a, b;
      if (m_form == kw::line || paint.grow > 0 || !HeadPoints(a, b)) break;
      if (m_form == kw::arrow) {
        p.drawLine(e, a);
        p.drawLine(e, b);
      } else {
        p.setPen(QPen(colour, 1));
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({e, a, b}));
      }
      break;
    }
    case kw::circle:
      if (grown.isEmpty()) break;
      p.setPen(QPen(colour, 1));
      p.setBrush(colour);
      p.drawEllipse(grown.adjusted(0, 0, -1, -1));
      break;
    case kw::ellipse:
      p.drawEllipse(r);
      break;
    case kw::frame:
      p.drawRect(r);
      break;
    case kw::rectangle:
      if (grown.isEmpty()) break;
      p.fillRect(grown, colour);
      break;
    case kw::square_root: {
      const double h = r.height();
      const double x0 = r.left();
      const double y0 = r.top();
      const double w = m_penWidth;
      p.setPen(QPen(colour, m_penWidth, Qt::SolidLine, m_cap, Qt::MiterJoin));
      p.drawPolyline(QPolygonF({QPointF(x0, y0 + h / 2), QPointF(x0 + h / 15 + 1, y0 + h / 2 - h / 12),
                                QPointF(x0 + h / 3, r.top() + h - w / 2), QPointF(x0 + 2 * h / 3, y0 + w / 2),
                                QPointF(r.left() + r.width(), y0 + w / 2)}));
      break;
    }
    case kw::wedge:
      p.setPen(QPen(colour, 1));
      p.setBrush(colour);
      if (qtSweep != 0) p.drawPie(r, qtStart, qtSweep);
      break;
    default:
      break;
  }
  p.restore();
}

void CExpoShape::WriteSnapshot(QJsonObject& out) const {
  out["form"] = QString::fromLatin1(KeywordName(m_form).data(), int(KeywordName(m_form).size()));
  out["pen_width"] = m_penWidth;
  out["line_start"] = QJsonArray({startPoint().x(), startPoint().y()});
  out["line_end"] = QJsonArray({endPoint().x(), endPoint().y()});
  if (m_form == kw::arc || m_form == kw::wedge) {
    out["start_angle"] = m_startAngle;
    out["sweep"] = Sweep();
  }
  if (m_form == kw::arrow || m_form == kw::pointer) out["head"] = m_head;
}
