#include "exposition/ExpoObject.h"

#include <QtGui/QPainter>
#include <algorithm>
#include <cmath>

#include "exposition/ExpoScene.h"
#include "exposition/ExpoTransition.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptArguments.h"
#include "exposition/ScriptNumbers.h"

namespace {

// Coordinates are held well inside 32 bits, so that sums of edges and sizes never overflow.
constexpr std::int32_t kCoordinateLimit = 1 << 20;

std::int32_t Coordinate(std::int64_t v) { return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, -kCoordinateLimit, kCoordinateLimit)); }

}  // namespace

std::string_view ExpoKindName(ExpoKind kind) {
  switch (kind) {
    case ExpoKind::Button: return "button";
    case ExpoKind::Checkbox: return "checkbox";
    case ExpoKind::Edit: return "edit";
    case ExpoKind::Group: return "group";
    case ExpoKind::Hilite: return "hilite";
    case ExpoKind::Iris: return "iris";
    case ExpoKind::Shape: return "shape";
    case ExpoKind::Movie: return "movie";
    case ExpoKind::Picture: return "picture";
    case ExpoKind::Radio: return "radio";
    case ExpoKind::Text: return "text";
  }
  return "?";
}

void ExpoRect::MoveTo(QPoint p) {
  const std::int32_t w = width();
  const std::int32_t h = height();
  left = Coordinate(p.x());
  top = Coordinate(p.y());
  right = Coordinate(std::int64_t(left) + w);
  bottom = Coordinate(std::int64_t(top) + h);
}

void ExpoRect::Normalize() {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
}

ExpoRect ExpoRect::United(const ExpoRect& other) const {
  if (other.isPoint()) return *this;
  if (isPoint()) return other;
  return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
          std::max(bottom, other.bottom)};
}

int ExpoTransition::direction() const { return parameter ? parameter : kw::right; }

bool ArgInteger(const ScriptValue& v, std::int32_t& out) {
  if (v.is(ScriptKind::Keyword)) {
    out = v.keyword();  // a direction or style word given as a keyword
    return true;
  }
  return ToInteger(v, out);
}

bool ArgReal(const ScriptValue& v, double& out) {
  float f = 0;
  if (!ToReal(v, f) || !std::isfinite(f)) return false;
  out = f;
  return true;
}

bool ArgFlag(const ScriptValue& v, bool& out) {
  std::int32_t i = 0;
  if (v.is(ScriptKind::Keyword)) {
    if (v.keyword() != kw::true_ && v.keyword() != kw::false_) return false;
    out = v.keyword() == kw::true_;
    return true;
  }
  if (!ToInteger(v, i)) return false;
  out = i != 0;
  return true;
}

bool ArgText(const ScriptValue& v, std::string& out) {
  if (v.is(ScriptKind::Keyword)) {
    out = std::string(KeywordName(v.keyword()));
    return !out.empty();
  }
  return ToText(v, out);
}

QRgb ColourWordToRgb(std::uint32_t word) { return qRgb(word & 0xFF, (word >> 8) & 0xFF, (word >> 16) & 0xFF); }

void CExpoObject::SetName(std::string_view name) { m_name = std::string(name.substr(0, kNameLimit)); }

bool CExpoObject::Configure(ExpoScene& scene, ScriptValueList& args) {
  m_scene = &scene;
  m_rect = ExpoRect{};
  m_rect.MoveTo(scene.pen);
  m_text = scene.text;
  m_start = scene.position;
  BeginConfigure();
  // Kinds with a default entrance (hilite, iris) set it in BeginConfigure; the
  // arguments may replace it.
  const std::int64_t defaultDuration = m_transition.duration;
  m_transition.duration = 0;
  m_durationGiven = false;
  ArgumentIterator it(args);
  while (auto a = it.Next()) SetAttribute(a->keyword, *a->value);
  if (m_durationGiven && m_transition.duration > 0) {
    m_transition.entrance = true;
  } else {
    m_transition.duration = defaultDuration;
    if (m_transition.kind != kw::dance) m_transition.kind = 0;
  }
  if (!FinishConfigure()) return false;
  m_configured = true;
  Step(scene.position);
  return true;
}

void CExpoObject::SetAttribute(int code, ScriptValue& value) {
  std::int32_t i = 0;
  double r = 0;
  switch (code) {
    case kw::color: {
      std::uint32_t word = 0;
      if (!ToColour(value, word)) return;
      m_text.colour = ColourWordToRgb(word);
      if (m_scene) m_scene->text.colour = m_text.colour;
      return;
    }
    case kw::dance:
      if (!ArgInteger(value, i)) return;
      m_transition.kind = kw::dance;
      m_transition.parameter = i;
      return;
    case kw::direction:
      if (ArgInteger(value, i)) m_transition.parameter = i;
      return;
    case kw::duration:
      if (!ArgReal(value, r)) return;
      m_transition.duration = DurationSamples(r);
      m_durationGiven = true;
      return;
    case kw::fade:
    case kw::grow:
    case kw::wipe:
      if (!ArgReal(value, r)) return;
      m_transition.kind = code;
      m_transition.duration = DurationSamples(r);
      m_durationGiven = true;
      return;
    case kw::enabled: {
      bool on = true;
      if (m_control && ArgFlag(value, on)) m_enabled = on;
      return;
    }
    case kw::frequency:
      if (ArgInteger(value, i)) m_transition.frequency = std::max(i, 1);
      return;
    case kw::label: {
      std::string name;
      if (ArgText(value, name)) SetName(name);
      return;
    }
    case kw::overlay:
      if (!ArgInteger(value, i)) return;
      m_overlay = i;
      if (!m_alphaSet) m_alpha = 128;
      return;
    case kw::size: {
      ScriptPoint pt;
      if (!value.is(ScriptKind::Point) && !value.is(ScriptKind::List)) return;
      if (!ToPoint(value, pt)) return;
      m_rect.right = Coordinate(std::int64_t(m_rect.left) + std::clamp(pt.x, 0, kCoordinateLimit));
      m_rect.bottom = Coordinate(std::int64_t(m_rect.top) + std::clamp(pt.y, 0, kCoordinateLimit));
      m_sizeSet = true;
      return;
    }
    case kw::to: {
      ScriptPoint pt;
      if (value.is(ScriptKind::Point) || (value.is(ScriptKind::List) && ToPoint(value, pt))) {
        if (value.is(ScriptKind::Point)) pt = value.point();
        m_toPoint = QPoint(Coordinate(pt.x), Coordinate(pt.y));
      } else if (m_scene) {
        const ExpoRect box = m_scene->JointBox(m_scene->Resolve(value));
        if (box.empty()) return;
        m_toPoint = box.topLeft();
      } else {
        return;
      }
      m_rect.right = m_toPoint.x();
      m_rect.bottom = m_toPoint.y();
      m_toSet = true;
      return;
    }
    case kw::transparency:
      if (!ArgInteger(value, i) || i < 0 || i > 100) return;
      m_alpha = i * 255 / 100;
      m_alphaSet = true;
      return;
    case kw::visibility: {
      bool on = true;
      if (ArgFlag(value, on)) m_visible = on;
      return;
    }
    default:
      return;
  }
}

ExpoRect CExpoObject::BoundingBox(bool moved) const {
  ExpoRect r = m_rect;
  if (moved && m_movement.moving) r.MoveTo(m_movement.destination);
  return r;
}

void CExpoObject::Invalidate() const {
  if (m_scene) m_scene->Invalidate(BoundingBox().ToQRect());
}

void CExpoObject::PaintEntranceFrame(QPainter& painter) const {
  ExpoPaint paint;
  paint.colour = m_text.colour;
  paint.translucent = translucent();
  painter.save();
  if (paint.translucent) painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  Paint(painter, paint);
  painter.restore();
}

void CExpoObject::PaintWithTransition(QPainter& painter, const QRect& bounds) const {
  if (!m_visible) return;
  ExpoPaint paint;
  paint.colour = m_text.colour;
  painter.save();
  if (translucent()) {
    paint.translucent = true;
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    Paint(painter, paint);
    painter.restore();
    return;
  }
  ExpoClip clip;
  switch (m_transition.kind) {
    case kw::fade: {
      const double f = std::clamp(m_transition.fade, 0.0, 1.0);
      const QRgb bg = m_scene ? m_scene->background : qRgb(255, 255, 255);
      auto mix = [f](int o, int b) { return static_cast<int>((1 - f) * o + f * b); };
      paint.colour = qRgb(mix(qRed(paint.colour), qRed(bg)), mix(qGreen(paint.colour), qGreen(bg)),
                          mix(qBlue(paint.colour), qBlue(bg)));
      break;
    }
    case kw::grow:
      paint.grow = std::clamp(m_transition.grow, 0.0, 1.0);
      break;
    case kw::wipe: {
      WipeState st;
      st.visible = m_transition.visible.translated(-m_rect.left, -m_rect.top);
      st.diagonal = m_transition.diagonal;
      st.bandMask = m_transition.bandMask;
      clip = WipeClip(m_transition.direction(), m_rect.ToQRect(), st, bounds);
      break;
    }
    case kw::dance:
      if (m_scene)
        clip = DanceClip(m_transition.direction(), m_transition.frequency, m_scene->host().Milliseconds(),
                         m_rect.ToQRect(), bounds, m_scene->random());
      break;
    default:
      break;
  }
  if (!clip.all) {
    if (clip.region.isEmpty()) {
      painter.restore();
      return;
    }
    painter.setClipRegion(clip.region, Qt::IntersectClip);
  }
  Paint(painter, paint);
  painter.restore();
}

void CExpoObject::ApplyHidden(double h) {
  switch (m_transition.kind) {
    case kw::fade:
      m_transition.fade = h == 0 ? 0.01 : h;
      break;
    case kw::grow:
      m_transition.grow = h == 0 ? 0.01 : h;
      break;
    case kw::wipe: {
      const WipeState st = ComputeWipe(m_transition.direction(), h, m_rect.width(), m_rect.height());
      m_transition.visible = st.visible.translated(m_rect.left, m_rect.top);
      m_transition.diagonal = st.diagonal;
      m_transition.bandMask = st.bandMask;
      break;
    }
    default:
      m_transition.visible = m_rect.ToQRect();
      break;
  }
}

bool CExpoObject::Step(std::int64_t p) {
  const ExpoTransition before = m_transition;
  const HiddenFraction f = ComputeHiddenFraction(m_transition.entrance, m_start, m_transition.duration, p);
  if (f.remove) return true;
  double h = f.hidden;
  if (!f.inWindow && !f.pending) {
    h = 0;
    if (m_transition.kind != kw::dance) {
      m_transition.kind = 0;
      m_transition.fade = 0;
      m_transition.grow = 0;
    }
  }
  ApplyHidden(h);
  bool changed = m_transition.kind == kw::dance || before.kind != m_transition.kind ||
                 before.fade != m_transition.fade || before.grow != m_transition.grow ||
                 before.visible != m_transition.visible || before.diagonal != m_transition.diagonal ||
                 before.bandMask != m_transition.bandMask;

  if (m_movement.moving && m_movement.duration > 0) {
    // A position before the start (after a seek back) holds the object at its origin
    // rather than extrapolating past it.
    double u = double(std::max<std::int64_t>(p - m_start, 0)) / double(m_movement.duration);
    if (u >= 1) {
      u = 1;
      m_movement.moving = false;
    }
    const QPoint d = m_movement.destination - m_movement.origin;
    const QPoint at(m_movement.origin.x() + static_cast<int>(u * d.x()),
                    m_movement.origin.y() + static_cast<int>(u * d.y()));
    if (at != m_rect.topLeft()) {
      Invalidate();
      m_rect.MoveTo(at);
      if (m_transition.kind == kw::wipe) ApplyHidden(h);
      Moved();
      changed = true;
    }
  }
  if (changed) Invalidate();
  return false;
}

void CExpoObject::StartTransition(int kind, std::int64_t duration, int parameter, bool entrance,
                                  std::int64_t start) {
  m_transition.kind = kind;
  m_transition.duration = std::max<std::int64_t>(duration, 0);
  const int direction = parameter ? parameter : kw::right;
  m_transition.parameter = entrance ? direction : ExitDirection(direction);
  m_transition.entrance = entrance;
  m_start = start;
  Step(start);
}

void CExpoObject::Move(QPoint point, bool relative, std::int64_t duration, std::int64_t start) {
  const QPoint origin = m_rect.topLeft();
  const QPoint destination(Coordinate(relative ? std::int64_t(origin.x()) + point.x() : point.x()),
                           Coordinate(relative ? std::int64_t(origin.y()) + point.y() : point.y()));
  if (duration > 0) {
    m_movement = {origin, destination, duration, true};
    m_start = start;
    return;
  }
  m_movement.moving = false;
  Invalidate();
  m_rect.MoveTo(destination);
  if (m_transition.kind == kw::wipe) m_transition.visible.translate(destination - origin);
  Moved();
  Invalidate();
}

void CExpoObject::SetRect(const ExpoRect& rect) {
  Invalidate();
  const QPoint before = m_rect.topLeft();
  m_rect = rect;
  if (before != m_rect.topLeft()) Moved();
  Invalidate();
}

void CExpoObject::SetTextAttributes(const FontDescription& text) {
  m_text = text;
  Invalidate();
}

void CExpoObject::SetColour(QRgb colour) {
  m_text.colour = colour;
  Invalidate();
}

void CExpoObject::Enable(bool enabled) {
  if (!m_control) return;
  m_enabled = enabled;
  if (!enabled && m_selected) m_selected = false;
  Invalidate();
}

bool CExpoObject::Clickable() const {
  if (!m_scene || !m_visible || !m_enabled) return false;
  return m_scene->windowEnabled && m_scene->hasClock && m_scene->paused;
}

int CExpoObject::Cursor() const {
  if (!m_control || !Clickable()) return 0;
  return m_pressed ? kPressedHandCursor : kPointingHandCursor;
}
