// Buttons, checkboxes, radio buttons, edit fields and groups.
#include <QtCore/QJsonArray>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <algorithm>

#include "course/CourseText.h"
#include "exposition/ExpoKinds.h"
#include "exposition/ExpoScene.h"
#include "exposition/Keywords.h"

namespace {

constexpr QRgb kFace = qRgb(192, 192, 192);
constexpr QRgb kShadow = qRgb(128, 128, 128);
constexpr QRgb kLight = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr int kBox = 13;
constexpr int kCaptionGap = 19;  // from the object's left edge to its caption
constexpr int kWidthLimit = 1 << 16;

QString CaptionString(const std::string& bytes) { return QString::fromStdString(CourseToUtf8(bytes)); }

QSize CaptionExtent(const std::string& caption) {
  const QFontMetrics fm(ExpoCaptionFont());
  return QSize(fm.horizontalAdvance(CaptionString(caption)), fm.height());
}

// A classic raised (or, pressed, sunken) edge inside r.
void DrawEdge(QPainter& p, const QRect& r, bool sunken) {
  const QColor topLeft(sunken ? kShadow : kLight);
  const QColor bottomRight(sunken ? kLight : kShadow);
  p.setPen(topLeft);
  p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
  p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
  p.setPen(bottomRight);
  p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

}  // namespace

QFont ExpoFont(const FontDescription& text) {
  FontDescription d = text;
  d.flags &= ~kFontPoints;
  d.size = std::clamp(text.size, 0, 399) + 1;
  return CreateFont(d, 96);
}

QFont ExpoCaptionFont() {
  FontDescription d;
  d.size = 13;
  return CreateFont(d, 96);
}

// --- Button ---

void CExpoButton::SetAttribute(int code, ScriptValue& value) {
  std::int32_t i = 0;
  bool on = false;
  switch (code) {
    case 0:
      if (ArgText(value, m_caption)) m_captionSet = true;
      return;
    case kw::default_:
      if (ArgFlag(value, on)) m_default = on;
      return;
    case kw::mousedown:
      if (ArgInteger(value, i)) m_mouseDown = i;
      return;
    case kw::width:
      if (ArgInteger(value, i)) m_width = std::clamp(i, 0, kWidthLimit);
      return;
    default:
      CExpoObject::SetAttribute(code, value);
  }
}

bool CExpoButton::FinishConfigure() {
  if (!m_captionSet)
    m_caption = m_scene->hasClock && m_scene->position >= m_scene->narrationEnd ? "Close" : "Continue";
  if (!m_sizeSet) {
    const QSize extent = CaptionExtent(m_caption);
    m_rect.right = m_rect.left + extent.width() + m_scene->buttonMargins.width();
    m_rect.bottom = m_rect.top + extent.height() + m_scene->buttonMargins.height();
  }
  if (m_width >= 0) m_rect.right = m_rect.left + m_width;
  m_rect.Normalize();
  m_scene->pen = QPoint(m_rect.right, m_rect.top);
  if (m_default) m_selected = true;
  return true;
}

void CExpoButton::Paint(QPainter& p, const ExpoPaint&) const {
  const QRect r = m_rect.ToQRect();
  if (r.isEmpty()) return;
  p.fillRect(r, QColor(kFace));
  const QRect edge = r.adjusted(0, 0, -1, -1);
  if (m_selected) {
    p.setPen(QColor(kBlack));
    p.drawRect(edge);
    DrawEdge(p, edge.adjusted(1, 1, -1, -1), m_pressed);
  } else {
    DrawEdge(p, edge, m_pressed);
  }
  p.setFont(ExpoCaptionFont());
  p.setPen(QColor(m_enabled ? kBlack : kShadow));
  p.drawText(m_pressed ? r.translated(1, 1) : r, Qt::AlignCenter, CaptionString(m_caption));
}

bool CExpoButton::MouseDown(QPoint p) {
  if (!Clickable() || !m_rect.Contains(p)) return false;
  m_pressed = true;
  m_tracking = true;
  Invalidate();
  return true;
}

void CExpoButton::MouseMove(QPoint p) {
  if (!m_tracking) return;
  const bool inside = m_rect.Contains(p);
  if (inside != m_pressed) {
    m_pressed = inside;
    Invalidate();
  }
}

ExpoMouseResult CExpoButton::MouseUp(QPoint p) {
  if (!m_tracking) return {};
  m_tracking = false;
  m_pressed = false;
  Invalidate();
  if (!m_rect.Contains(p)) return {};
  m_scene->lastButton = m_caption;
  if (!m_scene->hasClock || isCloseButton()) return {ExpoMouseResult::Close, {}};
  return {ExpoMouseResult::Resume, {}};
}

void CExpoButton::WriteSnapshot(QJsonObject& out) const {
  out["pressed"] = m_pressed;
  out["enabled"] = m_enabled;
  out["default"] = m_selected;
}

// --- Checkbox and radio button ---

void CExpoCheck::SetAttribute(int code, ScriptValue& value) {
  std::int32_t i = 0;
  bool on = false;
  if (code == 0) {
    ArgText(value, m_caption);
  } else if ((code == kw::checked && !isRadio()) || (code == kw::selected && isRadio())) {
    if (ArgFlag(value, on)) m_checked = on;
  } else if (code == kw::width) {
    if (ArgInteger(value, i)) m_width = std::clamp(i, 0, kWidthLimit);
  } else {
    CExpoObject::SetAttribute(code, value);
  }
}

bool CExpoCheck::FinishConfigure() {
  if (!m_sizeSet) {
    const QSize extent = CaptionExtent(m_caption);
    m_rect.right = m_rect.left + extent.width() + kCaptionGap;
    m_rect.bottom = m_rect.top + extent.height();
  }
  if (m_width >= 0) m_rect.right = m_rect.left + m_width;
  m_rect.Normalize();
  m_scene->pen = QPoint(m_rect.left, m_rect.bottom);
  return true;
}

void CExpoCheck::SetChecked(bool checked) {
  if (checked == m_checked) return;
  m_checked = checked;
  Invalidate();
  if (!checked || !isRadio() || !m_scene) return;
  // Radio buttons created one after another form one set: selecting one clears the
  // others of the unbroken run of radio buttons around it in the object list.
  const auto& list = m_scene->objects();
  const int at = m_scene->IndexOf(this);
  if (at < 0) return;
  auto clear = [&](int i) {
    if (i < 0 || i >= int(list.size()) || list[i]->kind() != ExpoKind::Radio) return false;
    auto* other = static_cast<CExpoCheck*>(list[i].get());
    if (other->m_checked) {
      other->m_checked = false;
      other->Invalidate();
    }
    return true;
  };
  for (int i = at - 1; clear(i); --i) {}
  for (int i = at + 1; clear(i); ++i) {}
}

void CExpoCheck::Paint(QPainter& p, const ExpoPaint&) const {
  const QRect r = m_rect.ToQRect();
  if (r.isEmpty()) return;
  const QRect box(r.left(), r.top() + (r.height() - kBox) / 2, kBox, kBox);
  p.save();
  const QColor ink(m_enabled ? kBlack : kShadow);
  if (isRadio()) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(QColor(m_pressed ? kFace : kLight));
    p.setPen(QPen(QColor(kShadow), 1));
    p.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    if (m_checked) {
      p.setBrush(ink);
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRectF(box).adjusted(4, 4, -4, -4));
    }
  } else {
    p.fillRect(box, QColor(m_pressed ? kFace : kLight));
    p.setPen(QColor(kShadow));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    if (m_checked) {
      // A tick: down from the left third, then up to the top right.
      p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::SquareCap));
      p.drawPolyline(QPolygon({box.topLeft() + QPoint(3, 6), box.topLeft() + QPoint(5, 9),
                               box.topLeft() + QPoint(9, 3)}));
    }
  }
  p.restore();
  p.setFont(ExpoCaptionFont());
  p.setPen(ink);
  p.drawText(r.adjusted(kCaptionGap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, CaptionString(m_caption));
}

bool CExpoCheck::MouseDown(QPoint p) {
  if (!Clickable() || !m_rect.Contains(p)) return false;
  m_pressed = true;
  m_inside = true;
  Invalidate();
  return true;
}

void CExpoCheck::MouseMove(QPoint p) {
  if (!m_pressed && !m_inside) return;
  m_inside = m_rect.Contains(p);
  m_pressed = m_inside;
  Invalidate();
}

ExpoMouseResult CExpoCheck::MouseUp(QPoint p) {
  const bool inside = m_inside && m_rect.Contains(p);
  m_pressed = false;
  m_inside = false;
  Invalidate();
  if (inside) SetChecked(isRadio() ? true : !m_checked);
  return {};
}

void CExpoCheck::WriteSnapshot(QJsonObject& out) const {
  out["checked"] = m_checked;
  out["enabled"] = m_enabled;
}

// --- Edit field ---

void CExpoEdit::BeginConfigure() {
  m_field = m_scene->host().CreateEditField();
  if (!m_field) m_field = std::make_unique<PlainEditField>();
}

void CExpoEdit::SetAttribute(int code, ScriptValue& value) {
  std::int32_t i = 0;
  bool on = false;
  switch (code) {
    case 0:
      ArgText(value, m_initial);
      return;
    case kw::border:
      if (ArgFlag(value, on)) m_border = on;
      return;
    case kw::length:
      if (ArgInteger(value, i) && i > 0) m_limit = std::min(i, kLimitMax);
      return;
    case kw::margin:
      if (ArgInteger(value, i)) m_margin = std::clamp(i, 0, kMarginMax);
      return;
    case kw::numeric:
      if (ArgFlag(value, on)) m_numeric = on;
      return;
    case kw::size:
      if (value.is(ScriptKind::Integer) || value.is(ScriptKind::Real)) {
        if (ArgInteger(value, i) && i > 0) m_fontSize = std::min(i, 399);
        return;
      }
      CExpoObject::SetAttribute(code, value);
      return;
    case kw::underline:
      if (ArgFlag(value, on)) m_underline = on;
      return;
    default:
      CExpoObject::SetAttribute(code, value);
  }
}

bool CExpoEdit::FinishConfigure() {
  if (m_fontSize > 0) m_text.size = m_fontSize;
  const QFont font = ExpoFont(m_text);
  const QFontMetrics fm(font);
  if (!m_sizeSet) {
    const int pad = 2 * m_margin + 4;
    m_rect.right = m_rect.left + m_limit * fm.horizontalAdvance(QLatin1Char('X')) + pad;
    m_rect.bottom = m_rect.top + fm.height() + pad;
  }
  m_rect.Normalize();
  m_scene->pen = QPoint(m_rect.right, m_rect.top);
  m_field->SetLimit(m_limit);
  m_field->SetFont(font);
  m_field->SetBorder(m_border && !m_underline);
  m_field->SetText(QString::fromStdString(CourseToUtf8(m_initial)), true);
  m_field->SetGeometry(m_rect.ToQRect());
  m_field->SetVisible(m_visible);
  return true;
}

void CExpoEdit::Moved() {
  if (m_field) m_field->SetGeometry(m_rect.ToQRect());
}

std::string CExpoEdit::Text() const { return m_field ? Utf8ToCourse(m_field->Text().toStdString()) : m_initial; }

void CExpoEdit::Paint(QPainter& p, const ExpoPaint& paint) const {
  const QRect r = m_rect.ToQRect();
  if (r.isEmpty()) return;
  if (m_underline) {
    p.setPen(QColor(paint.colour));
    p.drawLine(r.left(), r.bottom() + 1, r.right(), r.bottom() + 1);
  }
  // A native field covers the rectangle in the program; a plain one is drawn here
  // so that headless pictures of the scene show what was typed.
  if (!dynamic_cast<const PlainEditField*>(m_field.get())) return;
  p.fillRect(r, QColor(kLight));
  if (m_border && !m_underline) {
    p.setPen(QColor(kShadow));
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  p.setFont(ExpoFont(m_text));
  p.setPen(QColor(paint.colour));
  p.drawText(r.adjusted(2 + m_margin, 0, -2 - m_margin, 0), Qt::AlignLeft | Qt::AlignVCenter, m_field->Text());
}

void CExpoEdit::WriteSnapshot(QJsonObject& out) const {
  out["limit"] = m_limit;
  out["numeric"] = m_numeric;
}

// --- Group ---

void CExpoGroup::AddMembers(const ScriptValue& value, int depth) {
  if (value.is(ScriptKind::List)) {
    if (depth > 4) return;
    for (const ScriptValue& v : value.list()) AddMembers(v, depth + 1);
    return;
  }
  std::string name;
  if (!ArgText(value, name)) return;
  m_members.push_back(name.substr(0, kNameLimit));
}

void CExpoGroup::SetAttribute(int code, ScriptValue& value) {
  std::string name;
  if (code == 0) {
    AddMembers(value, 0);
  } else if (code == kw::as) {
    if (ArgText(value, name)) SetName(name);
  } else {
    CExpoObject::SetAttribute(code, value);
  }
}

ExpoRect CExpoGroup::BoundingBox(bool moved) const {
  if (!m_scene) return {};
  std::vector<CExpoObject*> members;
  std::vector<const CExpoObject*> visited;
  m_scene->ExpandGroup(*this, members, visited);
  return m_scene->JointBox(members, moved);
}

void CExpoGroup::WriteSnapshot(QJsonObject& out) const {
  QJsonArray names;
  for (const std::string& m : m_members) names.append(QString::fromStdString(CourseToUtf8(m)));
  out["members"] = names;
}
