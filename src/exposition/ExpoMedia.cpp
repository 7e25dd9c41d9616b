// Highlights (hilite, iris), pictures and movies.
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "course/AsciiCase.h"
#include "course/CourseText.h"
#include "exposition/ExpoKinds.h"
#include "exposition/ExpoScene.h"
#include "exposition/ExpoTransition.h"
#include "exposition/Keywords.h"

namespace {

constexpr int kRingGrowth = 200;  // pixels outside the rectangle where an iris ring starts
constexpr int kSegmentMax = 4096;
constexpr int kScalePercentMax = 1000;  // per cent

int RoundUpTo4(int v) { return (v + 3) & ~3; }

// The picture rectangle shrunk by fraction about its centre, its width a multiple of 4.
QRect Shrunk(const QRect& r, double fraction) {
  if (fraction <= 0) return r;
  const double shown = 1 - std::min(fraction, 1.0);
  const int w = RoundUpTo4(static_cast<int>(r.width() * shown));
  const int h = static_cast<int>(r.height() * shown);
  return QRect(r.left() + (r.width() - w) / 2, r.top() + (r.height() - h) / 2, w, h);
}

}  // namespace

// --- Hilite ---

void CExpoHilite::BeginConfigure() {
  m_overlay = 1;
  m_alpha = 128;
  m_transition.duration = kExpoClockRate;
}

void CExpoHilite::SetAttribute(int code, ScriptValue& value) {
  std::int32_t i = 0;
  if (code == kw::width) {
    // A stroke of 0 or less would leave no pen and divide the segment count by zero.
    if (ArgInteger(value, i)) m_width = std::clamp(i, 1, kWidthMax);
    return;
  }
  CExpoObject::SetAttribute(code, value);
}

int CExpoHilite::SegmentCount() const {
  const std::int64_t half = std::int64_t(std::abs(m_rect.width())) / 2 + std::abs(m_rect.height()) / 2;
  return static_cast<int>(std::clamp<std::int64_t>(half * 24 / (2 * std::int64_t(m_width)), 4, kSegmentMax));
}

void CExpoHilite::Paint(QPainter& p, const ExpoPaint& paint) const {
  const QRect r = m_rect.ToQRect().normalized();
  if (r.isEmpty()) return;
  const int segments = SegmentCount();
  const double progress = std::clamp(m_transition.progress, 0.0, 1.0);
  const int drawn = progress >= 1 ? segments : static_cast<int>(segments * progress);
  if (drawn <= 0) return;
  const double cx = r.left() + r.width() / 2.0;
  const double cy = r.top() + r.height() / 2.0;
  const double a = r.width() / 2.0;
  const double b = r.height() / 2.0;
  QPolygonF loop;
  loop.reserve(drawn + 1);
  // From twelve o'clock, clockwise, like a pen stroke.
  for (int k = 0; k <= drawn; ++k) {
    const double t = 2 * std::numbers::pi * k / segments;
    loop << QPointF(cx + a * std::sin(t), cy - b * std::cos(t));
  }
  p.save();
  p.setClipRect(r, Qt::IntersectClip);
  p.setPen(QPen(QColor(paint.colour), std::max(1, m_width - 2), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(loop);
  p.restore();
}

void CExpoHilite::WriteSnapshot(QJsonObject& out) const {
  out["stroke_width"] = m_width;
  out["segments"] = SegmentCount();
}

// --- Iris ---

void CExpoIris::BeginConfigure() {
  m_overlay = 1;
  m_alpha = 128;
  m_transition.duration = kExpoClockRate;
}

bool CExpoIris::FinishConfigure() {
  m_rect.Normalize();
  return true;
}

void CExpoIris::Paint(QPainter& p, const ExpoPaint& paint) const {
  const QRect r = m_rect.ToQRect();
  if (r.isEmpty()) return;
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(paint.colour));
  p.drawEllipse(r);
  p.restore();
}

QRect CExpoIris::RingAt(double x) const {
  const int grow = static_cast<int>(kRingGrowth * (1 - std::clamp(x, 0.0, 1.0)));
  return m_rect.ToQRect().adjusted(-grow, -grow, grow, grow);
}

void CExpoIris::PaintEntranceFrame(QPainter& p) const {
  if (m_transition.progress >= 1) {
    CExpoObject::PaintEntranceFrame(p);
    return;
  }
  p.save();
  p.setCompositionMode(QPainter::RasterOp_NotDestination);
  p.setPen(QPen(Qt::black, 3));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(RingAt(m_transition.progress));
  p.restore();
}

// --- Picture ---

void CExpoPicture::SetAttribute(int code, ScriptValue& value) {
  std::string name;
  std::int32_t i = 0;
  bool on = false;
  switch (code) {
    case 0:
      if (!ArgText(value, name)) return;
      m_pictureName = name;
      m_image = m_scene->host().LoadPicture(name);
      if (!m_image.isNull()) {
        const QSize size = m_image.deviceIndependentSize().toSize();
        m_rect.right = m_rect.left + size.width();
        m_rect.bottom = m_rect.top + size.height();
      }
      return;
    case kw::selected:
      if (ArgText(value, name)) m_selectedImage = m_scene->host().LoadPicture(name);
      return;
    case kw::size:
      if (value.is(ScriptKind::Integer) || value.is(ScriptKind::Real)) {
        // Per cent of the picture's size; 0, negative and absurd sizes are ignored.
        if (!ArgInteger(value, i) || i <= 0 || i > kScalePercentMax) return;
        m_rect.right = m_rect.left + RoundUpTo4(static_cast<int>(std::int64_t(m_rect.width()) * i / 100));
        m_rect.bottom = m_rect.top + static_cast<int>(std::int64_t(m_rect.height()) * i / 100);
        return;
      }
      CExpoObject::SetAttribute(code, value);
      return;
    case kw::mask:
      if (ArgFlag(value, on)) m_mask = on;
      return;
    case kw::mousedown:
      if (ArgFlag(value, on)) m_mouseDown = on;
      return;
    default:
      CExpoObject::SetAttribute(code, value);
  }
}

void CExpoPicture::SetShrink(double fraction) {
  if (!std::isfinite(fraction)) return;
  m_shrink = std::clamp(fraction, 0.0, 1.0);
  Invalidate();
}

void CExpoPicture::Paint(QPainter& p, const ExpoPaint& paint) const {
  if (m_image.isNull()) return;
  const QRect target = Shrunk(m_rect.ToQRect(), std::max(paint.grow, m_shrink));
  if (target.isEmpty()) return;
  QImage image = m_pressed && !m_selectedImage.isNull() ? m_selectedImage : m_image;
  if (m_mask) {
    // Masked pictures leave their white pixels out.
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QImage mask = image.createMaskFromColor(qRgb(255, 255, 255), Qt::MaskOutColor);
    image.setAlphaChannel(mask.convertToFormat(QImage::Format_Grayscale8));
  }
  p.drawImage(target, image);
  if (m_pressed && m_selectedImage.isNull()) {
    p.save();
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.fillRect(target, Qt::black);
    p.restore();
  }
}

bool CExpoPicture::Clickable() const { return !m_image.isNull() && CExpoObject::Clickable(); }

bool CExpoPicture::MouseDown(QPoint p) {
  if (!Clickable() || !m_rect.Contains(p)) return false;
  m_pressed = true;
  Invalidate();
  return true;
}

ExpoMouseResult CExpoPicture::MouseUp(QPoint p) {
  if (!m_pressed) return {};
  m_pressed = false;
  Invalidate();
  if (!m_rect.Contains(p)) return {};
  m_scene->lastButton = m_pictureName;
  return {ExpoMouseResult::Resume, {}};
}

int CExpoPicture::Cursor() const {
  if (!Clickable()) return 0;
  return m_pressed ? kPressedHandCursor : kPointingHandCursor;
}

void CExpoPicture::WriteSnapshot(QJsonObject& out) const {
  out["loaded"] = !m_image.isNull();
  out["shrink"] = m_shrink;
  out["mask"] = m_mask;
}

// --- Movie ---

void CExpoMovie::SetAttribute(int code, ScriptValue& value) {
  std::string name;
  bool on = false;
  double r = 0;
  switch (code) {
    case 0:
      if (ArgText(value, name)) m_movieName = ToAsciiLower(name);
      return;
    case kw::loop:
      if (ArgFlag(value, on)) m_loop = on;
      return;
    case kw::palindrome:
      if (ArgFlag(value, on)) m_palindrome = on;
      return;
    case kw::preview:
      if (ArgReal(value, r) && r >= 0) m_preview = std::min(r, 86400.0);
      return;
    case kw::rate:
      if (ArgReal(value, r)) m_rate = std::clamp(r, -100.0, 100.0);
      return;
    default:
      CExpoObject::SetAttribute(code, value);
  }
}

bool CExpoMovie::FinishConfigure() {
  if (m_movieName.empty()) m_movieName = ToAsciiLower(m_name);
  m_movieStart = m_scene->position;
  const std::string key = m_movieName.substr(0, kNameLimit);
  auto& table = m_scene->preloaded();
  if (auto it = table.find(key); it != table.end()) {
    m_movie = it->second.get();
  } else if (!m_movieName.empty()) {
    m_owned = m_scene->host().OpenMovie(m_movieName);
    m_movie = m_owned.get();
  }
  if (!m_movie) return true;  // a movie that cannot be found is silently absent
  const QSize natural = m_movie->NaturalSize();
  m_rect.right = m_rect.left + std::max(natural.width(), 0);
  m_rect.bottom = m_rect.top + std::max(natural.height(), 0);
  m_movie->SetLoop(m_loop, m_palindrome);
  m_movie->SetPreview(DurationSamples(m_preview));
  m_movie->SetRate(m_rate);
  return true;
}

std::int64_t CExpoMovie::LengthSamples() const {
  if (!m_movie) return 0;
  const std::int64_t d = std::max<std::int64_t>(m_movie->DurationSamples(), 0);
  return m_palindrome ? 2 * d : d;
}

void CExpoMovie::Follow(std::int64_t position, bool playing) {
  if (m_movie) m_movie->Follow(position - m_movieStart, playing);
  Invalidate();
}

void CExpoMovie::Paint(QPainter& p, const ExpoPaint&) const {
  if (!m_movie || m_rect.empty()) return;
  const QImage frame = m_movie->CurrentFrame();
  if (!frame.isNull()) p.drawImage(m_rect.ToQRect(), frame);
}

void CExpoMovie::WriteSnapshot(QJsonObject& out) const {
  out["movie"] = QString::fromStdString(CourseToUtf8(m_movieName));
  out["open"] = m_movie != nullptr;
  out["length"] = static_cast<double>(LengthSamples());
}
