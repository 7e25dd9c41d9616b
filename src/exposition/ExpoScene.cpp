#include "exposition/ExpoScene.h"

#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtGui/QPainter>
#include <algorithm>
#include <chrono>

#include "course/AsciiCase.h"
#include "course/CourseText.h"
#include "exposition/ExpoKinds.h"
#include "exposition/ExpoTransition.h"
#include "exposition/Keywords.h"

std::uint32_t ExpoHost::Milliseconds() const {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

ExpoScene::ExpoScene(ExpoHost* host) : m_host(host ? host : &m_plainHost) {}

ExpoScene::~ExpoScene() = default;

std::unique_ptr<CExpoObject> ExpoScene::NewObject(int command) {
  switch (command) {
    case kw::button: return std::make_unique<CExpoButton>();
    case kw::checkbox: return std::make_unique<CExpoCheck>(false);
    case kw::radio: return std::make_unique<CExpoCheck>(true);
    case kw::ask: return std::make_unique<CExpoEdit>();
    case kw::group: return std::make_unique<CExpoGroup>();
    case kw::hilite: return std::make_unique<CExpoHilite>();
    case kw::iris: return std::make_unique<CExpoIris>();
    case kw::arc:
    case kw::arrow:
    case kw::circle:
    case kw::ellipse:
    case kw::frame:
    case kw::line:
    case kw::pointer:
    case kw::rectangle:
    case kw::square_root:
    case kw::wedge:
      return std::make_unique<CExpoShape>(command);
    case kw::movie: return std::make_unique<CExpoMovie>();
    case kw::picture: return std::make_unique<CExpoPicture>();
    case kw::display:
    case kw::bullet:
    case kw::question:
    case kw::study:
    case kw::summary:
      return std::make_unique<CExpoText>();
    default:
      return nullptr;
  }
}

CExpoObject* ExpoScene::Create(int command, ScriptValueList& args) {
  std::unique_ptr<CExpoObject> object = NewObject(command);
  if (!object || !object->Configure(*this, args)) return nullptr;
  if (object->rect().left == -1) {
    ExpoRect r = object->rect();
    r.MoveTo(QPoint((area.width() - r.width()) / 2, r.top));
    object->SetRect(r);
    pen.setX(r.right);
  }
  CExpoObject* added = Append(std::move(object));
  if (added->selected()) Select(added);
  if (!fastForwarding && added->WantsBlockingEntrance()) {
    RunBlockingEntrance(*added);
  } else {
    added->Invalidate();
  }
  return added;
}

CExpoObject* ExpoScene::Append(std::unique_ptr<CExpoObject> object) {
  m_objects.push_back(std::move(object));
  return m_objects.back().get();
}

void ExpoScene::Remove(CExpoObject* object) {
  const int at = IndexOf(object);
  if (at < 0) return;
  if (m_captured == object) m_captured = nullptr;
  object->Invalidate();
  m_objects.erase(m_objects.begin() + at);
}

std::unique_ptr<CExpoObject> ExpoScene::Take(CExpoObject* object) {
  const int at = IndexOf(object);
  if (at < 0) return nullptr;
  object->Invalidate();
  std::unique_ptr<CExpoObject> taken = std::move(m_objects[static_cast<std::size_t>(at)]);
  m_objects.erase(m_objects.begin() + at);
  return taken;
}

CExpoObject* ExpoScene::Insert(std::unique_ptr<CExpoObject> object, int at) {
  const int size = static_cast<int>(m_objects.size());
  at = at < 0 ? 0 : at > size ? size : at;
  return m_objects.insert(m_objects.begin() + at, std::move(object))->get();
}

void ExpoScene::Clear() {
  m_captured = nullptr;
  m_objects.clear();
  Invalidate(QRect(QPoint(0, 0), area));
}

int ExpoScene::IndexOf(const CExpoObject* object) const {
  for (std::size_t i = 0; i < m_objects.size(); ++i)
    if (m_objects[i].get() == object) return static_cast<int>(i);
  return -1;
}

namespace {

void CollectNames(const ScriptValue& v, std::vector<std::string>& out, int depth) {
  if (v.is(ScriptKind::List)) {
    if (depth > 4) return;
    for (const ScriptValue& item : v.list()) CollectNames(item, out, depth + 1);
    return;
  }
  std::string name;
  if (ArgText(v, name) && !name.empty()) out.push_back(std::move(name));
}

void AddUnique(std::vector<CExpoObject*>& out, CExpoObject* o) {
  if (std::find(out.begin(), out.end(), o) == out.end()) out.push_back(o);
}

}  // namespace

void ExpoScene::ExpandGroup(const CExpoObject& group, std::vector<CExpoObject*>& out,
                            std::vector<const CExpoObject*>& visited) const {
  if (std::find(visited.begin(), visited.end(), &group) != visited.end()) return;
  visited.push_back(&group);
  for (const std::string& member : static_cast<const CExpoGroup&>(group).members()) {
    for (const auto& o : m_objects) {
      if (!EqualNoCase(o->name(), member)) continue;
      if (o->kind() == ExpoKind::Group) {
        ExpandGroup(*o, out, visited);
      } else {
        AddUnique(out, o.get());
      }
    }
  }
}

std::vector<CExpoObject*> ExpoScene::Resolve(const ScriptValue& names) const {
  std::vector<std::string> list;
  CollectNames(names, list, 0);
  std::vector<CExpoObject*> out;
  std::vector<const CExpoObject*> visited;
  for (const std::string& name : list) {
    for (const auto& o : m_objects) {
      if (!EqualNoCase(o->name(), name)) continue;
      if (o->kind() == ExpoKind::Group) {
        ExpandGroup(*o, out, visited);
      } else {
        AddUnique(out, o.get());
      }
    }
  }
  return out;
}

std::vector<CExpoObject*> ExpoScene::Resolve(std::string_view name) const {
  return Resolve(ScriptValue::Text(name));
}

ExpoRect ExpoScene::JointBox(const std::vector<CExpoObject*>& objects, bool moved) const {
  ExpoRect box;
  for (const CExpoObject* o : objects) box = box.United(o->BoundingBox(moved));
  return box;
}

int ExpoScene::Step(std::int64_t p) {
  position = p;
  std::vector<CExpoObject*> leaving;
  for (const auto& o : m_objects)
    if (o->Step(p)) leaving.push_back(o.get());
  for (CExpoObject* o : leaving) Remove(o);
  return static_cast<int>(leaving.size());
}

void ExpoScene::FollowPlayback(bool playing) {
  for (const auto& o : m_objects)
    if (o->kind() == ExpoKind::Movie) static_cast<CExpoMovie*>(o.get())->Follow(position, playing);
}

QImage ExpoScene::NewBackBuffer(QSize area, qreal devicePixelRatio) {
  const qreal dpr = std::clamp<qreal>(devicePixelRatio, 1.0, 4.0);
  const QSize logical = area.expandedTo(QSize(1, 1)).boundedTo(QSize(8192, 8192));
  QImage image((QSizeF(logical) * dpr).toSize(), QImage::Format_RGB32);
  image.setDevicePixelRatio(dpr);
  return image;
}

void ExpoScene::Paint(QPainter& painter, const QRect& clip) const {
  painter.save();
  painter.setClipRect(clip, Qt::IntersectClip);
  painter.fillRect(clip, QColor(background));
  for (const auto& o : m_objects)
    if (!o->translucent()) o->PaintWithTransition(painter, clip);
  for (const auto& o : m_objects)
    if (o->translucent()) o->PaintWithTransition(painter, clip);
  painter.restore();
}

QImage ExpoScene::Render(qreal devicePixelRatio) const {
  QImage image = NewBackBuffer(area, devicePixelRatio);
  QPainter painter(&image);
  Paint(painter, QRect(QPoint(0, 0), area));
  return image;
}

QImage ExpoScene::RenderEntranceFrame(const CExpoObject& object, qreal devicePixelRatio) const {
  QImage image = NewBackBuffer(area, devicePixelRatio);
  QPainter painter(&image);
  const QRect all(QPoint(0, 0), area);
  painter.setClipRect(all);
  painter.fillRect(all, QColor(background));
  for (const auto& o : m_objects)
    if (o.get() != &object && !o->translucent()) o->PaintWithTransition(painter, all);
  for (const auto& o : m_objects)
    if (o.get() != &object && o->translucent()) o->PaintWithTransition(painter, all);
  object.PaintEntranceFrame(painter);
  return image;
}

void ExpoScene::RunBlockingEntrance(CExpoObject& object) {
  const std::int64_t samples = std::max<std::int64_t>(object.transition().duration, 0);
  // 64-bit and capped: a long duration must not hang the statement (nor overflow).
  const std::int64_t total = std::min<std::int64_t>(samples * 1000 / kExpoClockRate, kEntranceCapMs);
  const std::uint32_t begin = m_host->Milliseconds();
  while (total > 0) {
    const std::int64_t elapsed = static_cast<std::uint32_t>(m_host->Milliseconds() - begin);
    if (elapsed >= total) break;
    object.SetEntranceProgress(double(elapsed) / double(total));
    m_host->ShowEntranceFrame(object);
    m_host->ProcessAudio();
  }
  object.SetEntranceProgress(1);
  m_host->ShowEntranceFrame(object);
  object.ClearTransitionDuration();
  object.Invalidate();
}

CExpoObject* ExpoScene::ObjectAt(QPoint p) const {
  for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it)
    if ((*it)->HitTest(p)) return it->get();
  return nullptr;
}

bool ExpoScene::MouseDown(QPoint p, ExpoMouseResult* immediate) {
  CExpoObject* o = ObjectAt(p);
  if (!o || !o->MouseDown(p)) return false;
  m_captured = o;
  if (o->ReleasesOnPress()) {
    ExpoMouseResult r = MouseUp(p);
    if (immediate) *immediate = std::move(r);
  }
  return true;
}

void ExpoScene::MouseMove(QPoint p) {
  if (m_captured) m_captured->MouseMove(p);
}

ExpoMouseResult ExpoScene::MouseUp(QPoint p) {
  CExpoObject* o = m_captured;
  m_captured = nullptr;
  if (!o) return {};
  return o->MouseUp(p);
}

int ExpoScene::CursorAt(QPoint p) const {
  if (m_captured) return m_captured->Cursor();
  const CExpoObject* o = ObjectAt(p);
  return o ? o->Cursor() : 0;
}

void ExpoScene::Select(CExpoObject* object) {
  for (const auto& o : m_objects) {
    const bool on = o.get() == object;
    if (o->selected() != on) {
      o->SetSelected(on);
      o->Invalidate();
    }
  }
  if (object && object->kind() == ExpoKind::Edit) {
    if (ExpoEditField* f = static_cast<CExpoEdit*>(object)->field()) f->SetFocus();
  }
}

namespace {

QString HexColour(QRgb c) { return QString::asprintf("#%02x%02x%02x", qRed(c), qGreen(c), qBlue(c)); }

QJsonArray RectArray(const ExpoRect& r) { return QJsonArray({r.left, r.top, r.right, r.bottom}); }
QJsonArray RectArray(const QRect& r) {
  return QJsonArray({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
}
QJsonArray PointArray(QPoint p) { return QJsonArray({p.x(), p.y()}); }

QString Word(int code) {
  const std::string_view w = KeywordName(code);
  return w.empty() ? QString::number(code) : QString::fromLatin1(w.data(), int(w.size()));
}

QJsonObject ObjectSnapshot(const CExpoObject& o) {
  QJsonObject j;
  j["kind"] = QString::fromLatin1(ExpoKindName(o.kind()).data());
  j["kind_number"] = static_cast<int>(o.kind());
  j["name"] = QString::fromStdString(CourseToUtf8(o.name()));
  j["rect"] = RectArray(o.rect());
  j["color"] = HexColour(o.colour());
  const CourseEncoding enc =
      o.kind() == ExpoKind::Text ? FontEncoding(o.textAttributes()) : CourseEncoding::Windows1252;
  j["text"] = QString::fromStdString(CourseToUtf8(o.Text(), enc));
  j["size"] = o.textAttributes().size;
  j["style"] = static_cast<int>(o.textAttributes().flags);
  j["alpha"] = o.alpha();
  j["overlay"] = o.overlay();
  j["visible"] = o.visible();
  const ExpoTransition& t = o.transition();
  QJsonObject tr;
  tr["kind"] = t.kind ? Word(t.kind) : QStringLiteral("none");
  tr["parameter"] = Word(t.direction());
  tr["entrance"] = t.entrance;
  tr["start"] = static_cast<double>(o.start());
  tr["duration"] = static_cast<double>(t.duration);
  tr["fade"] = t.fade;
  tr["grow"] = t.grow;
  tr["visible"] = RectArray(t.visible);
  tr["band_mask"] = static_cast<int>(t.bandMask);
  tr["frequency"] = t.frequency;
  j["transition"] = tr;
  const ExpoMovement& m = o.movement();
  QJsonObject mv;
  mv["moving"] = m.moving;
  mv["origin"] = PointArray(m.origin);
  mv["destination"] = PointArray(m.destination);
  mv["duration"] = static_cast<double>(m.duration);
  j["movement"] = mv;
  o.WriteSnapshot(j);
  return j;
}

}  // namespace

QJsonObject ExpoScene::Snapshot() const {
  QJsonObject j;
  j["area"] = QJsonArray({area.width(), area.height()});
  j["pen"] = PointArray(pen);
  j["position"] = static_cast<double>(position);
  j["background"] = HexColour(background);
  j["last_button"] = QString::fromStdString(CourseToUtf8(lastButton));
  QJsonArray list;
  for (const auto& o : m_objects) list.append(ObjectSnapshot(*o));
  j["objects"] = list;
  return j;
}

std::string ExpoScene::SnapshotJson() const {
  return QJsonDocument(Snapshot()).toJson(QJsonDocument::Indented).toStdString();
}
