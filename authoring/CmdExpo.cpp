// kncourse expo play and kncourse script run: expositions played headless on a virtual
// clock, and statements run on a view without a clock, printed as JSON lines.
#include <QtCore/QDir>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtGui/QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "ExpoPlayback.h"
#include "Kncourse.h"
#include "audio/ClipDecoder.h"
#include "course/AsciiCase.h"
#include "course/CourseFile.h"
#include "course/CourseText.h"
#include "course/ToolWindowClass.h"
#include "exposition/ExpoKinds.h"
#include "exposition/ExpoTimeline.h"
#include "exposition/ExpoVirtualHost.h"
#include "exposition/ExpositionFile.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptTokenizer.h"
#include "stats/Random.h"

namespace kncourse {

namespace {

std::string Json(const QJsonValue& v) {
  const std::string a = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).toStdString();
  return a.substr(1, a.size() - 2);
}

// One JSON line with the keys of order first, in that order, then the rest.
std::string Line(const QJsonObject& o, std::initializer_list<const char*> order = {}) {
  std::string out = "{";
  auto add = [&](const QString& key) {
    if (out.size() > 1) out += ',';
    out += Json(key) + ":" + Json(o[key]);
  };
  for (const char* key : order)
    if (o.contains(key)) add(key);
  for (auto it = o.begin(); it != o.end(); ++it)
    if (std::find_if(order.begin(), order.end(), [&](const char* k) { return it.key() == k; }) == order.end()) add(it.key());
  return out + "}";
}

const std::initializer_list<const char*> kEventOrder = {"pos", "event"};
const std::initializer_list<const char*> kStateOrder = {"t",   "pos",  "total", "paused", "started",
                                                         "next", "pen", "vars",  "objects"};

double ParseSeconds(const std::string& text, std::string_view what) {
  std::size_t used = 0;
  double v = 0;
  try {
    v = std::stod(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || !std::isfinite(v) || v < 0) BadUsage(std::string(what) + " takes a number of seconds, not '" + text + "'");
  return v;
}

std::vector<std::string> TakeAll(Args& a, std::string_view name) {
  std::vector<std::string> values;
  while (auto v = TakeOption(a, name)) values.push_back(*v);
  return values;
}

struct Input {
  std::int64_t ms;
  std::string action;
};

}  // namespace

QJsonObject ExpoVariables(const ScriptVariables& vars) {
  QJsonObject out;
  for (int code = kw::bool0; code <= kw::y_axis; ++code) {
    if (!ScriptVariables::IsVariable(code)) continue;
    const ScriptValue v = vars.Value(code);
    const QString name = QString::fromLatin1(KeywordName(code).data(), static_cast<int>(KeywordName(code).size()));
    switch (v.kind()) {
      case ScriptKind::Integer:
        if (v.integer() != 0) out[name] = v.integer();
        break;
      case ScriptKind::Real:
        if (v.real() != 0) out[name] = static_cast<double>(v.real());
        break;
      case ScriptKind::Text:
        if (!v.text().empty()) out[name] = QString::fromStdString(CourseToUtf8(v.text()));
        break;
      case ScriptKind::Point:
        if (v.point().x || v.point().y) out[name] = QJsonArray({v.point().x, v.point().y});
        break;
      default:
        break;
    }
  }
  return out;
}

QJsonArray ExpoObjects(const ExpoScene& scene) {
  static const char* const kKeys[] = {"kind", "name", "rect", "color", "text", "size", "style", "alpha", "visible"};
  QJsonArray out;
  for (const QJsonValue& value : scene.Snapshot()["objects"].toArray()) {
    const QJsonObject full = value.toObject();
    QJsonObject o;
    for (const char* key : kKeys) o[key] = full[key];
    const QJsonObject t = full["transition"].toObject();
    o["transition"] = t["kind"].toString() == "none" ? QJsonValue("none")
                                                     : QJsonValue(t["kind"].toString() + (t["entrance"].toBool() ? " in" : " out"));
    out.append(o);
  }
  return out;
}

QSize ExpoArea(std::uint32_t typeCode) {
  switch (ToolWindowClass(typeCode)) {
    case ToolWindow::Expo:
    case ToolWindow::Expo1:
      return {400, 300};
    case ToolWindow::Expo3:
      return {600, 440 - kPositionBarHeight};
    default:
      return {600, 440};
  }
}

std::string NarrationClipPath(const std::string& path) {
  const std::string lower = ToAsciiLower(path);
  std::size_t at = lower.rfind(".exp");
  const std::size_t scr = lower.rfind(".scr");
  if (at == std::string::npos || (scr != std::string::npos && scr > at)) at = scr;
  if (at == std::string::npos) return {};
  const std::string stem = path.substr(0, at);
  for (const char* ext : {".ogg", ".aif"})
    if (std::filesystem::exists(stem + ext)) return stem + ext;
  return {};
}

std::int64_t NarrationLength(const std::string& clipPath) {
  if (clipPath.empty()) return -1;
  try {
    auto decoder = audio::ClipDecoder::Open(CourseFile::Open(clipPath), clipPath);
    return decoder ? decoder->length() : -1;
  } catch (const std::exception&) {
    return -1;
  }
}

QImage FilePictureHost::LoadPicture(std::string_view name) {
  if (m_file) {
    if (const ContainerEntry* e = m_file->FindEntry(name, kEntryPicture)) {
      const auto data = m_file->EntryData(*e);
      QImage image;
      if (image.loadFromData(data.data(), static_cast<int>(data.size()))) return image;
    }
  }
  if (m_folder.empty()) return {};
  std::string file(name);
  if (file.find('.') == std::string::npos) file += ".png";
  QImage image;
  const auto path = std::filesystem::path(m_folder) / file;
  if (std::filesystem::exists(path) && image.load(QString::fromStdString(path.string()))) return image;
  return {};
}

int ExpoPlay(Args a) {
  const std::vector<std::string> atTexts = TakeAll(a, "at");
  const std::vector<std::string> inputTexts = TakeAll(a, "input");
  const auto untilText = TakeOption(a, "until");
  const auto seedText = TakeOption(a, "seed");
  const auto framesDir = TakeOption(a, "frames");
  if (a.size() != 1) BadUsage("expo play takes one FILE");
  std::vector<std::int64_t> ats;
  for (const auto& t : atTexts) ats.push_back(std::llround(ParseSeconds(t, "--at") * 1000));
  std::sort(ats.begin(), ats.end());
  std::vector<Input> inputs;
  for (const auto& t : inputTexts) {
    std::istringstream in(t);
    std::string seconds, action;
    in >> seconds;
    std::getline(in, action);
    action.erase(0, action.find_first_not_of(' '));
    if (action.empty()) BadUsage("--input takes \"SECONDS ACTION\"");
    inputs.push_back({std::llround(ParseSeconds(seconds, "--input") * 1000), action});
  }
  std::stable_sort(inputs.begin(), inputs.end(), [](const Input& x, const Input& y) { return x.ms < y.ms; });
  if (seedText) {
    try {
      SeedRandom(static_cast<std::uint32_t>(std::stoul(*seedText)));
    } catch (const std::exception&) {
      BadUsage("--seed takes a number");
    }
  }

  const auto app = MakeGuiApplication();
  const std::string path = a[0];
  const ExpositionFile file = ExpositionFile::Open(path);
  ExpoPlayer player(file, std::filesystem::path(path).parent_path().string(), ExpoArea(file.typeCode()));
  player.LoadNarration(NarrationLength(NarrationClipPath(path)));

  int errors = 0;
  player.host.onEvent = [&](const VirtualExpoHost::Event& e) {
    QJsonObject line;
    line["pos"] = static_cast<double>(e.position);
    line["event"] = QString::fromStdString(e.name);
    for (auto it = e.detail.begin(); it != e.detail.end(); ++it) line[it.key()] = it.value();
    if (e.name == "error") ++errors;
    std::printf("%s\n", Line(line, kEventOrder).c_str());
  };
  player.host.keepEvents = false;

  std::size_t nextAt = 0, nextInput = 0, frame = 0;
  int status = 0;
  auto due = [&] {
    while (nextAt < ats.size() && ats[nextAt] <= player.host.now) {
      std::printf("%s\n", Line(player.State(ats[nextAt]), kStateOrder).c_str());
      if (framesDir) {
        std::filesystem::create_directories(*framesDir);
        char name[32];
        std::snprintf(name, sizeof name, "frame%03zu.png", frame++);
        const QImage image = player.view.scene().Render();
        if (!image.save(QString::fromStdString((std::filesystem::path(*framesDir) / name).string()))) status = 2;
      }
      ++nextAt;
    }
    // Input waits, as the window holds it back, until no busy wait is in progress.
    while (!player.view.waiting() && nextInput < inputs.size() && inputs[nextInput].ms <= player.host.now) {
      const std::string error = player.Act(inputs[nextInput].action);
      if (!error.empty()) std::fprintf(stderr, "kncourse: input '%s': %s\n", inputs[nextInput].action.c_str(), error.c_str());
      ++nextInput;
    }
  };
  player.host.afterTick = due;

  std::int64_t until = untilText ? std::llround(ParseSeconds(*untilText, "--until") * 1000)
                                 : player.timeline.total() * 1000 / ScriptChunk::kSampleRate + 1000;
  if (!ats.empty()) until = std::max(until, ats.back());
  if (!inputs.empty()) until = std::max(until, inputs.back().ms);
  player.timeline.Start();
  due();
  while (player.host.now < until) player.host.Advance();
  player.host.afterTick = nullptr;
  if (status) return Fail("cannot write the frames");
  return errors ? 1 : 0;
}

int ScriptRun(Args a) {
  if (a.size() != 1) BadUsage("script run takes one SOURCE");
  const auto app = MakeGuiApplication();
  const std::string source = IsValidUtf8(a[0]) ? Utf8ToCourse(a[0]) : a[0];
  std::vector<std::uint8_t> tokens;
  TokenizeChunk(source + "\n", tokens);
  VirtualExpoHost host;
  CExpoView view(&host, QSize(400, 300));
  int errors = 0;
  host.onEvent = [&](const VirtualExpoHost::Event& e) {
    QJsonObject line;
    line["event"] = QString::fromStdString(e.name);
    for (auto it = e.detail.begin(); it != e.detail.end(); ++it) line[it.key()] = it.value();
    if (e.name == "error") ++errors;
    std::printf("%s\n", Line(line, {"event"}).c_str());
  };
  view.budget().Refill();
  view.RunChunk(tokens);
  QJsonObject state;
  state["pen"] = QJsonArray({view.scene().pen.x(), view.scene().pen.y()});
  state["vars"] = ExpoVariables(view.variables());
  state["objects"] = ExpoObjects(view.scene());
  std::printf("%s\n", Line(state, {"pen", "vars", "objects"}).c_str());
  return errors ? 1 : 0;
}

// ---------------------------------------------------------------- ExpoPlayer

ExpoPlayer::ExpoPlayer(const ExpositionFile& file, std::string folder, QSize area)
    : file(file), host(&file, std::move(folder)), view(&host, area), timeline(view) {
  host.timeline = &timeline;
  view.SetFile(&file);
  view.scene().background = qRgb(0, 0, 0);
}

void ExpoPlayer::LoadNarration(std::int64_t clipLength) {
  ChunkLoadResult loaded = file.BuildChunks();
  std::unique_ptr<ExpoNarration> clip;
  if (clipLength >= 0) {
    VirtualExpoHost* h = &host;
    clip = std::make_unique<ClockNarration>(clipLength, [h] { return h->now; });
  }
  timeline.Load(std::move(loaded.chunks), std::move(clip));
}

QJsonObject ExpoPlayer::State(std::int64_t ms) const {
  QJsonObject line;
  line["t"] = static_cast<double>(ms) / 1000.0;
  line["pos"] = static_cast<double>(timeline.position());
  line["total"] = static_cast<double>(timeline.total());
  line["paused"] = timeline.paused();
  line["started"] = timeline.started();
  line["next"] = static_cast<int>(timeline.next());
  line["pen"] = QJsonArray({view.scene().pen.x(), view.scene().pen.y()});
  line["vars"] = ExpoVariables(view.variables());
  line["objects"] = ExpoObjects(view.scene());
  return line;
}

std::string ExpoPlayer::Act(const std::string& action) {
  std::istringstream in(action);
  std::string verb;
  in >> verb;
  ExpoScene& scene = view.scene();
  if (verb == "click") {
    std::string what;
    std::getline(in, what);
    what.erase(0, what.find_first_not_of(' '));
    int x = 0, y = 0;
    char comma = 0;
    std::istringstream xy(what);
    if ((xy >> x >> comma >> y) && comma == ',') {
      timeline.Click(QPoint(x, y));
      return {};
    }
    const std::string name = IsValidUtf8(what) ? Utf8ToCourse(what) : what;
    const auto objects = scene.Resolve(name);
    if (objects.empty()) return "no object is named \"" + what + "\"";
    const ExpoRect r = objects.front()->rect();
    timeline.Click(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    return {};
  }
  if (verb == "key") {
    std::string key;
    in >> key;
    const struct {
      const char* name;
      ExpoKey key;
    } keys[] = {{"space", ExpoKey::Space}, {"enter", ExpoKey::Enter}, {"left", ExpoKey::Left},
                {"right", ExpoKey::Right}, {"tab", ExpoKey::Tab}};
    for (const auto& k : keys)
      if (key == k.name) {
        timeline.KeyPress(k.key);
        return {};
      }
    return "unknown key \"" + key + "\" (space, left, right, enter, tab)";
  }
  if (verb == "type") {
    std::string name, text;
    in >> name;
    std::getline(in, text);
    text.erase(0, std::min(text.size(), std::size_t(1)));
    for (CExpoObject* o : scene.Resolve(IsValidUtf8(name) ? Utf8ToCourse(name) : name)) {
      if (o->kind() != ExpoKind::Edit) continue;
      if (ExpoEditField* field = static_cast<CExpoEdit*>(o)->field()) field->SetText(QString::fromStdString(text), false);
      return {};
    }
    return "no edit field is named \"" + name + "\"";
  }
  if (verb == "seek") {
    std::string seconds;
    in >> seconds;
    try {
      timeline.Seek(std::llround(std::stod(seconds) * ScriptChunk::kSampleRate), true);
    } catch (const std::exception&) {
      return "seek takes seconds";
    }
    return {};
  }
  if (verb == "continue") {
    if (!timeline.started()) timeline.Start();
    else timeline.SetPaused(false);
    return {};
  }
  return "unknown action \"" + verb + "\" (click, key, type, seek, continue)";
}

}  // namespace kncourse
