#include "exposition/ExpoView.h"

#include <QtGui/QFontMetrics>
#include <algorithm>
#include <cmath>

#include "course/AsciiCase.h"
#include "course/CourseText.h"
#include "exposition/ExpoKinds.h"
#include "exposition/ExpoTimeline.h"
#include "exposition/FlagGuard.h"
#include "exposition/ExpoTransition.h"
#include "exposition/ExpositionFile.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptArguments.h"
#include "exposition/ScriptColours.h"
#include "exposition/ScriptFunctions.h"
#include "hypertext/MarkupText.h"

void ExpoViewHost::ReportScriptError() { ::ReportScriptError(); }

// The scene reaches the window through the view: its blocking entrances wait in the
// view's busy-wait slices, with the waiting flag set.
class CExpoView::SceneHost : public ExpoHost {
 public:
  explicit SceneHost(CExpoView& view) : m_view(view) {}
  QImage LoadPicture(std::string_view name) override { return m_view.host().LoadPicture(name); }
  std::unique_ptr<ExpoMovie> OpenMovie(std::string_view name) override { return m_view.host().OpenMovie(name); }
  std::unique_ptr<ExpoEditField> CreateEditField() override { return m_view.host().CreateEditField(); }
  void Invalidate(const QRect& rect) override { m_view.host().Invalidate(rect); }
  std::uint32_t Milliseconds() const override { return static_cast<std::uint32_t>(m_view.host().WaitMilliseconds()); }
  void ShowEntranceFrame(const CExpoObject& object) override { m_view.host().ShowEntranceFrame(object); }
  void ProcessAudio() override { m_view.WaitSlice(); }

 private:
  CExpoView& m_view;
};

namespace {


ScriptValue* Positional(ScriptValueList& args) { return args.size() % 2 == 1 ? &args[0] : nullptr; }

ScriptValue* Keyword(ScriptValueList& args, int code) {
  ScriptValue* found = nullptr;
  ArgumentIterator it(args);
  while (auto a = it.Next())
    if (a->keyword == code) found = a->value;
  return found;
}

bool HasKeyword(ScriptValueList& args, int code) { return Keyword(args, code) != nullptr; }

double RealOr(ScriptValue* v, double fallback) {
  double r = 0;
  return v && ArgReal(*v, r) ? r : fallback;
}

int IntegerOr(ScriptValue* v, int fallback) {
  std::int32_t i = 0;
  return v && ArgInteger(*v, i) ? i : fallback;
}

bool FlagOr(ScriptValue* v, bool fallback) {
  bool on = fallback;
  return v && ArgFlag(*v, on) ? on : fallback;
}

QString Display(std::string_view bytes) { return QString::fromStdString(CourseToUtf8(bytes)); }

}  // namespace

CExpoView::CExpoView(ExpoViewHost* host, QSize area)
    : m_host(host ? host : &m_plainHost), m_sceneHost(std::make_unique<SceneHost>(*this)), m_scene(m_sceneHost.get()) {
  m_scene.background = qRgb(0, 0, 0);
  m_scene.hasClock = false;
  SetArea(area);
  ResetScriptState();
  InitializeHook();
}

CExpoView::~CExpoView() = default;

void CExpoView::SetArea(QSize area) {
  m_scene.area = QSize(std::clamp(area.width(), kMinArea.width(), kMaxArea.width()),
                       std::clamp(area.height(), kMinArea.height(), kMaxArea.height()));
}

void CExpoView::ResetScriptState() {
  m_scene.pen = QPoint(8, 8);
  m_scene.text = FontDescription();
  m_scene.penWidth = 1;
  m_scene.penStyle = Qt::SolidLine;
  m_scene.penCap = Qt::FlatCap;
  m_scene.arrowHead = 12;
  m_scene.lastButton.clear();
  m_questionCounter = 0;
  m_locked = false;
}

void CExpoView::Reset() {
  m_scene.Clear();
  ResetScriptState();
}

void CExpoView::Initialize() {
  ResetScriptState();
  m_variables.Reset();
  InitializeHook();
  m_scene.Invalidate(QRect(QPoint(0, 0), m_scene.area));
}

void CExpoView::InitializeHook() {
  m_locked = false;
  const bool show = !m_scene.hasClock;
  if (show != m_showButtons) {
    m_showButtons = show;
    m_host->ShowButtonsChanged(show);
  }
}

// ---------------------------------------------------------------- running

bool CExpoView::RunChunk(std::span<const std::uint8_t> tokens) {
  m_budgetExhausted = false;
  m_waitedMs = 0;
  try {
    RunScriptStatements(*this, tokens, m_budget);
    return true;
  } catch (const ScriptAbandoned& e) {
    m_budgetExhausted = e.why == ScriptAbandoned::Why::Budget;
    QJsonObject detail;
    detail["why"] = m_budgetExhausted ? "budget" : "blocks";
    m_host->Trace("error", detail);
  } catch (const std::exception& e) {
    QJsonObject detail;
    detail["why"] = QString::fromUtf8(e.what());
    m_host->Trace("error", detail);
  }
  m_host->ReportScriptError();
  return false;
}

void CExpoView::ApplyPen(ScriptValueList& args, int command) {
  const bool atIsFlag = command == kw::study || command == kw::summary;
  ArgumentIterator it(args);
  while (auto a = it.Next()) {
    const ScriptValue& v = *a->value;
    switch (a->keyword) {
      case kw::at: {
        ScriptPoint p;
        if (atIsFlag && !v.is(ScriptKind::Point) && !v.is(ScriptKind::List)) break;
        if (ToPoint(v, p)) {
          m_scene.pen = QPoint(p.x, p.y);
        } else {
          const auto objects = Resolve(v);
          if (!objects.empty()) {
            const ExpoRect box = m_scene.JointBox(objects);
            m_scene.pen = QPoint(box.left, box.top);
          }
        }
        break;
      }
      case kw::after:
      case kw::under: {
        const auto objects = Resolve(v);
        if (objects.empty()) break;
        const ExpoRect box = m_scene.JointBox(objects);
        m_scene.pen = a->keyword == kw::after ? QPoint(box.right, box.top) : QPoint(box.left, box.bottom);
        break;
      }
      case kw::by: {
        ScriptPoint p;
        if (v.is(ScriptKind::Point) || (v.is(ScriptKind::List) && ToPoint(v, p))) {
          ToPoint(v, p);
          m_scene.pen += QPoint(p.x, p.y);
        }
        break;
      }
      case kw::center: {
        bool on = false;
        if (ArgFlag(v, on) && on) m_scene.pen.setX(-1);
        break;
      }
      default:
        break;
    }
  }
}

CExpoObject* CExpoView::Create(int command, ScriptValueList& args) {
  if (m_scene.objects().size() >= maxObjects) throw ScriptError("too many objects");
  return m_scene.Create(command, args);
}

void CExpoView::RunStatement(int code, ScriptValueList& args) {
  switch (code) {
    case kw::add_text: AddText(args); return;
    case kw::button:
      m_scene.lastButton.clear();
      Create(code, args);
      return;
    case kw::bullet:
    case kw::question: Paragraph(args, code == kw::question); return;
    case kw::clear:
    case kw::transition: Clear(args, code == kw::transition); return;
    case kw::disable:
    case kw::enable: SetEnabled(args, code == kw::enable); return;
    case kw::flash: Flash(args); return;
    case kw::goto_: GotoLabel(args); return;
    case kw::hint: Hint(args); return;
    case kw::layer: Layer(args); return;
    case kw::move:
    case kw::slide: MoveObjects(args, code == kw::slide); return;
    case kw::pause: Pause(args); return;
    case kw::preload: Preload(args); return;
    case kw::recenter: Recenter(args); return;
    case kw::recolor: Recolor(args); return;
    case kw::rename: Rename(args); return;
    case kw::resize: Resize(args); return;
    case kw::restyle: Restyle(args); return;
    case kw::study:
    case kw::summary: StudyPage(args, code == kw::summary); return;
    case kw::update:
      if (!m_scene.fastForwarding) m_host->Update();
      return;
    case kw::wait:
      if (args.size() == 1) {
        double s = 0;
        if (ArgReal(args[0], s)) BusyWait(s);
      }
      return;
    default:
      // Every other kind of object the scene knows is made alike.
      if (ExpoScene::NewObject(code)) {
        Create(code, args);
        return;
      }
      if (!CommandOrFunction(code, args, nullptr)) {
        QJsonObject detail;
        detail["word"] = QString::fromLatin1(KeywordName(code).data(), static_cast<int>(KeywordName(code).size()));
        m_host->Trace("unknown", detail);
      }
      return;
  }
}

void CExpoView::SetEnabled(ScriptValueList& args, bool enable) {
  for (CExpoObject* o : Targets(args))
    if (o->isControl()) o->Enable(enable);
}

void CExpoView::GotoLabel(ScriptValueList& args) {
  ScriptValue* label = Positional(args);
  std::string text;
  if (label && ToText(*label, text) && m_timeline) m_timeline->Goto(text);
}

void CExpoView::Recolor(ScriptValueList& args) {
  ScriptValue* to = nullptr;
  const auto targets = Targets(args, &to);
  std::uint32_t word = 0;
  if (!to || !ToColour(*to, word)) return;
  m_scene.text.colour = ColourWordToRgb(word);
  for (CExpoObject* o : targets) o->SetColour(m_scene.text.colour);
}

void CExpoView::Rename(ScriptValueList& args) {
  ScriptValue* to = nullptr;
  const auto targets = Targets(args, &to);
  std::string name;
  if (!to || !ToText(*to, name)) return;
  for (CExpoObject* o : targets) o->SetName(name);
}

void CExpoView::Resize(ScriptValueList& args) {
  ScriptValue* to = nullptr;
  const auto targets = Targets(args, &to);
  std::int32_t n = 0;
  if (!to || !ArgInteger(*to, n)) return;
  for (CExpoObject* o : targets) {
    if (o->kind() == ExpoKind::Text) {
      FontDescription t = o->textAttributes();
      t.size = std::clamp(n, 1, 1000);
      o->SetTextAttributes(t);
    } else if (o->kind() == ExpoKind::Picture) {
      static_cast<CExpoPicture*>(o)->SetShrink((100.0 - std::clamp(n, 0, 1000)) / 100.0);
    }
  }
}

void CExpoView::Restyle(ScriptValueList& args) {
  ScriptValue* to = nullptr;
  const auto targets = Targets(args, &to);
  if (!to || !to->is(ScriptKind::Keyword)) return;
  switch (to->keyword()) {
    case kw::bold: m_scene.text.flags |= kFontBold; break;
    case kw::italic: m_scene.text.flags |= kFontItalic; break;
    case kw::underline: m_scene.text.flags |= kFontUnderline; break;
    case kw::plain: m_scene.text.flags &= ~std::uint32_t(kFontBold | kFontItalic | kFontUnderline); break;
    default: return;
  }
  for (CExpoObject* o : targets) {
    FontDescription t = o->textAttributes();
    t.flags = m_scene.text.flags;
    o->SetTextAttributes(t);
  }
}

std::vector<CExpoObject*> CExpoView::Targets(ScriptValueList& args, ScriptValue** to) {
  if (to) *to = Keyword(args, kw::to);
  ScriptValue* names = Positional(args);
  if (!names) return {};
  return Resolve(*names);
}

std::vector<CExpoObject*> CExpoView::Resolve(const ScriptValue& names) {
  std::vector<CExpoObject*> found = m_scene.Resolve(names);
  if (found.empty()) {
    QJsonObject detail;
    std::string text;
    if (names.is(ScriptKind::List)) {
      text = "{";
      for (const ScriptValue& v : names.list()) {
        std::string t;
        if (ToText(v, t)) text += (text.size() > 1 ? ", " : "") + t;
      }
      text += "}";
    } else if (!ToText(names, text)) {
      text = DescribeScriptValue(names);
    }
    detail["names"] = QString::fromStdString(CourseToUtf8(text));
    m_host->Trace("unresolved", detail);
  }
  return found;
}

void CExpoView::AddText(ScriptValueList& args) {
  ScriptValue* text = Positional(args);
  ScriptValue* to = Keyword(args, kw::to);
  std::string bytes;
  if (!text || !to || !ToText(*text, bytes)) return;
  for (CExpoObject* o : Resolve(*to))
    if (o->kind() == ExpoKind::Text) static_cast<CExpoText*>(o)->AppendText(bytes);
}

void CExpoView::Clear(ScriptValueList& args, bool transition) {
  ScriptValue* names = Positional(args);
  ScriptValue* except = Keyword(args, kw::except);
  std::vector<CExpoObject*> targets;
  if (names) {
    targets = Resolve(*names);
  } else {
    for (const auto& o : m_scene.objects())
      if (!except || o->kind() != ExpoKind::Group) targets.push_back(o.get());
  }
  if (except) {
    const auto kept = m_scene.Resolve(*except);
    std::erase_if(targets, [&](CExpoObject* o) { return std::find(kept.begin(), kept.end(), o) != kept.end(); });
  }
  int kind = 0, parameter = 0;
  std::int64_t duration = 0;
  ArgumentIterator it(args);
  while (auto a = it.Next()) {
    double seconds = 0;
    std::int32_t i = 0;
    switch (a->keyword) {
      case kw::fade:
      case kw::grow:
      case kw::wipe:
        if (ArgReal(*a->value, seconds)) kind = a->keyword, duration = DurationSamples(seconds);
        break;
      case kw::duration:
        if (ArgReal(*a->value, seconds)) duration = DurationSamples(seconds);
        break;
      case kw::dance:
        if (ArgInteger(*a->value, i)) kind = kw::dance, parameter = i;
        break;
      case kw::direction:
        if (ArgInteger(*a->value, i)) parameter = i;
        break;
      default:
        break;
    }
  }
  if (kind && duration > 0) {
    for (CExpoObject* o : targets) o->StartTransition(kind, duration, parameter, transition, m_scene.position);
    return;
  }
  if (transition) return;
  for (CExpoObject* o : targets) m_scene.Remove(o);
}

void CExpoView::BusyWait(double seconds) {
  if (!(seconds > 0) || seconds > 5) return;  // not-a-number, negative and long waits are ignored
  if (m_scene.fastForwarding || m_waiting) return;
  const std::int64_t ms = std::llround(seconds * 1000);
  if (m_waitedMs + ms > kMaxWaitPerChunkMs) return;
  m_waitedMs += ms;
  QJsonObject detail;
  detail["seconds"] = std::round(seconds * 1000) / 1000;
  m_host->Trace("wait", detail);
  FlagGuard guard(m_waiting);
  const std::int64_t start = m_host->WaitMilliseconds();
  while (m_host->WaitMilliseconds() - start < ms) m_host->WaitSlice();
}

void CExpoView::WaitSlice() {
  FlagGuard guard(m_waiting);
  m_host->WaitSlice();
}

void CExpoView::Flash(ScriptValueList& args) {
  if (m_scene.fastForwarding || m_waiting) return;
  std::vector<CExpoObject*> targets;
  if (ScriptValue* names = Positional(args)) targets = Resolve(*names);
  if (targets.size() > 48) targets.resize(48);
  QRgb colour = ColourWordToRgb(NamedColourWord(kw::red));
  if (ScriptValue* c = Keyword(args, kw::color)) {
    std::uint32_t word = 0;
    if (ToColour(*c, word)) colour = ColourWordToRgb(word);
  }
  const double duration = RealOr(Keyword(args, kw::duration), 1.0);
  const int times = std::clamp(IntegerOr(Keyword(args, kw::times), 3), 0, 1000);
  if (times == 0 || targets.empty() || !(duration >= 0) || duration > 60) return;
  const std::int64_t totalMs = std::llround(duration * 1000);
  if (m_waitedMs + totalMs > kMaxWaitPerChunkMs) return;
  m_waitedMs += totalMs;
  QJsonObject detail;
  detail["phases"] = 2 * times;
  detail["seconds"] = std::round(duration * 1000) / 1000;
  m_host->Trace("flash", detail);

  std::vector<QRgb> previous;
  for (CExpoObject* o : targets) previous.push_back(o->colour());
  const int phases = 2 * times;
  const double phaseMs = duration > 0 ? duration * 1000 / (phases - 1) : 0;
  FlagGuard guard(m_waiting);
  const std::int64_t start = m_host->WaitMilliseconds();
  for (int k = 0; k < phases; ++k) {
    // The timer handling between phases may remove objects whose exit has ended: the
    // targets are looked up again (no object is created while the view waits).
    for (std::size_t i = 0; i < targets.size(); ++i) {
      if (!targets[i] || m_scene.IndexOf(targets[i]) < 0) {
        targets[i] = nullptr;
        continue;
      }
      targets[i]->SetColour(k % 2 == 0 ? colour : previous[i]);
    }
    if (k + 1 == phases || phaseMs <= 0) continue;
    const auto until = static_cast<std::int64_t>(std::llround((k + 1) * phaseMs));
    while (m_host->WaitMilliseconds() - start < until) m_host->WaitSlice();
  }
}

void CExpoView::Layer(ScriptValueList& args) {
  const auto targets = Targets(args);
  ScriptValue* after = Keyword(args, kw::after);
  ScriptValue* before = Keyword(args, kw::before);
  const bool behind = FlagOr(Keyword(args, kw::behind), false);
  for (CExpoObject* o : targets) {
    std::unique_ptr<CExpoObject> taken = m_scene.Take(o);
    if (!taken) continue;
    int at = static_cast<int>(m_scene.objects().size());
    if (after || before) {
      const auto refs = m_scene.Resolve(after ? *after : *before);
      const int ref = refs.empty() ? -1 : m_scene.IndexOf(refs.front());
      if (after) at = ref < 0 ? static_cast<int>(m_scene.objects().size()) : ref + 1;
      else at = ref < 0 ? 0 : ref;
    } else if (behind) {
      at = 0;
    }
    m_scene.Insert(std::move(taken), at)->Invalidate();
  }
}

void CExpoView::MoveObjects(ScriptValueList& args, bool slide) {
  const auto targets = Targets(args);
  bool relative = false, haveTo = false;
  QPoint point = m_scene.pen;
  ArgumentIterator it(args);
  while (auto a = it.Next()) {
    ScriptPoint p;
    if (a->keyword == kw::by && !haveTo) {
      if (ToPoint(*a->value, p)) point = QPoint(p.x, p.y), relative = true;
    } else if (a->keyword == kw::to) {
      if (!a->value->is(ScriptKind::Text) && ToPoint(*a->value, p)) {
        point = QPoint(p.x, p.y);
        relative = false;
        haveTo = true;
      } else {
        const auto anchors = Resolve(*a->value);
        if (anchors.empty()) continue;
        QPoint anchor = anchors.front()->BoundingBox().topLeft();
        for (CExpoObject* o : anchors) {
          const QPoint q = o->BoundingBox().topLeft();
          anchor = QPoint(std::min(anchor.x(), q.x()), std::min(anchor.y(), q.y()));
        }
        point = anchor;
        relative = false;
        haveTo = true;
      }
    }
  }
  const std::int64_t duration = DurationSamples(RealOr(Keyword(args, kw::duration), slide ? 1.0 : 0.0));
  for (CExpoObject* o : targets) o->Move(point, relative, duration, m_scene.position);
}

void CExpoView::Recenter(ScriptValueList& args) {
  const auto targets = Targets(args);
  if (targets.empty()) return;
  const bool horizontal = FlagOr(Keyword(args, kw::horizontal), true);
  const bool vertical = FlagOr(Keyword(args, kw::vertical), false);
  const ExpoRect box = m_scene.JointBox(targets);
  const int dx = horizontal ? (m_scene.area.width() - box.width()) / 2 - box.left : 0;
  const int dy = vertical ? (m_scene.area.height() - box.height()) / 2 - box.top : 0;
  const std::int64_t duration = DurationSamples(RealOr(Keyword(args, kw::duration), 0.0));
  for (CExpoObject* o : targets) o->Move(QPoint(dx, dy), true, duration, m_scene.position);
}

void CExpoView::Hint(ScriptValueList& args) {
  ScriptValue* text = Positional(args);
  std::string bytes;
  if (!text || !ToText(*text, bytes)) return;
  const int number = IntegerOr(Keyword(args, kw::number), m_questionCounter);
  for (const auto& o : m_scene.objects())
    if (o->kind() == ExpoKind::Text && static_cast<CExpoText*>(o.get())->question() == number && number != 0)
      static_cast<CExpoText*>(o.get())->AppendHint(bytes);
}

void CExpoView::Paragraph(ScriptValueList& args, bool question) {
  ScriptValue* textValue = Positional(args);
  std::string bytes;
  if (textValue && !ToText(*textValue, bytes)) bytes.clear();
  bytes = MacRomanDisplayText(bytes);
  if (ScriptValue* c = Keyword(args, kw::color)) {
    std::uint32_t word = 0;
    if (ToColour(*c, word)) m_scene.text.colour = ColourWordToRgb(word);
  }
  if (ScriptValue* s = Keyword(args, kw::size)) m_scene.text.size = std::clamp(IntegerOr(s, m_scene.text.size), 1, 1000);
  std::string label;
  if (ScriptValue* l = Keyword(args, kw::label)) ToText(*l, label);
  const bool numbered = FlagOr(Keyword(args, kw::number), true);

  const QFontMetrics fm(ExpoFont(m_scene.text));
  auto width = [&](std::string_view s) { return fm.horizontalAdvance(Display(s)); };
  int indent = 8, hanging = 8;
  std::string prefix;
  int questionNumber = 0;
  if (numbered && question) {
    questionNumber = ++m_questionCounter;
    prefix = std::to_string(questionNumber) + ".  ";
    hanging = 15;
  } else if (numbered) {
    prefix = "*  ";
    hanging = width(prefix);
  } else {
    indent = hanging = question ? 23 : 8;
  }
  std::string text = prefix + bytes;
  auto place = [&](std::string line, bool last) {
    m_scene.pen.setX(indent);
    ScriptValueList objectArgs{ScriptValue::Text(line + "<P>")};
    if (last && !label.empty()) objectArgs.insert(objectArgs.end(), {ScriptValue::Keyword(kw::label), ScriptValue::Text(label)});
    CExpoObject* o = Create(kw::display, objectArgs);
    if (o && questionNumber) static_cast<CExpoText*>(o)->SetQuestion(questionNumber);
  };
  // Texts are at most 255 bytes, so this loop ends within that many lines.
  while (width(text) > m_scene.area.width() - indent) {
    const int room = m_scene.area.width() - indent;
    std::size_t cut = std::string::npos;
    for (std::size_t blank = text.find(' '); blank != std::string::npos; blank = text.find(' ', blank + 1)) {
      if (width(std::string_view(text).substr(0, blank)) > room) break;
      cut = blank;
    }
    // A word wider than the area goes on a line of its own rather than stopping the paragraph.
    if (cut == std::string::npos || cut == 0) cut = text.find(' ', 1);
    if (cut == std::string::npos) break;
    place(text.substr(0, cut), false);
    text.erase(0, cut + 1);
    indent = hanging + 8;
  }
  place(text, true);
  m_scene.pen.setX(8);
}

void CExpoView::StudyPage(ScriptValueList& args, bool summary) {
  ScriptValue* titleValue = Positional(args);
  std::string title = summary ? "Summary" : "Study Questions";
  if (titleValue) ToText(*titleValue, title);
  m_scene.text.flags = 12;
  m_scene.text.colour = summary ? qRgb(0, 0, 69) : qRgb(255, 255, 0);
  m_scene.text.size = summary ? 14 : 13;
  if (ScriptValue* c = Keyword(args, kw::color)) {
    std::uint32_t word = 0;
    if (ToColour(*c, word)) m_scene.text.colour = ColourWordToRgb(word);
  }
  if (ScriptValue* s = Keyword(args, kw::size)) m_scene.text.size = std::clamp(IntegerOr(s, m_scene.text.size), 3, 1000);
  if (ScriptValue* n = Keyword(args, kw::number)) m_questionCounter = IntegerOr(n, 1) - 1;
  if (FlagOr(Keyword(args, kw::clear), true)) m_scene.Clear();
  m_scene.pen.setX(-1);
  if (!HasKeyword(args, kw::at)) m_scene.pen.setY(6);
  if (FlagOr(Keyword(args, kw::visibility), true) && !title.empty()) {
    ScriptValueList titleArgs{ScriptValue::Text(title + "<P>")};
    Create(kw::display, titleArgs);
  }
  m_scene.pen.setX(8);
  m_scene.text.size = std::max(1, m_scene.text.size - 2);
  m_scene.text.flags &= ~std::uint32_t(kFontUnderline);
  m_scene.pen.setY(m_scene.pen.y() + 4);
}

void CExpoView::Sound(ScriptValueList& args) {
  if (m_scene.fastForwarding) return;
  ScriptValue* nameValue = Positional(args);
  std::string name;
  if (!nameValue || !ToText(*nameValue, name)) return;
  const std::string lower = ToAsciiLower(name);
  int volume = -1;
  if (m_host->HasVolumeControl()) volume = IntegerOr(Keyword(args, kw::volume), -1);
  QJsonObject detail;
  detail["name"] = QString::fromStdString(CourseToUtf8(lower));
  const int builtin = lower == "chop" ? 7007 : lower == "right" ? 7031 : lower == "wrong" ? 7042 : 0;
  if (builtin) {
    const bool playing = m_timeline && m_scene.hasClock && !m_scene.paused;
    if (!playing) return;
    detail["builtin"] = builtin;
    m_host->Trace("sound", detail);
    m_host->PlayBuiltinSound(builtin);
    return;
  }
  if (!m_file) return;
  const ContainerEntry* entry = m_file->FindEntry(name, kEntrySound);
  if (!entry) return;
  m_host->Trace("sound", detail);
  m_host->PlaySound(lower, m_file->EntryData(*entry), volume);
}

void CExpoView::Preload(ScriptValueList& args) {
  std::vector<std::string> names;
  for (const ScriptValue& v : args) {
    std::string name;
    if (v.is(ScriptKind::Text) && ToText(v, name)) names.push_back(name);
    if (v.is(ScriptKind::List))
      for (const ScriptValue& e : v.list())
        if (e.is(ScriptKind::Text)) names.push_back(e.text());
  }
  for (std::string& name : names) {
    name = ToAsciiLower(name).substr(0, 31);
    auto& table = m_scene.preloaded();
    if (table.count(name)) continue;
    if (auto movie = m_host->OpenMovie(name)) table.emplace(name, std::move(movie));
  }
}

void CExpoView::Focus(ScriptValueList& args) {
  ScriptValue* name = Positional(args);
  if (name) {
    for (CExpoObject* o : m_scene.Resolve(*name)) {
      if (o->isControl() && o->enabled()) {
        m_scene.Select(o);
        return;
      }
    }
  }
  m_scene.Select(nullptr);
  m_host->FocusView();
}

void CExpoView::Pause(ScriptValueList& args) {
  m_scene.lastButton.clear();
  if (m_scene.fastForwarding) {
    RemoveButtons();
    return;
  }
  std::string caption = "Continue";
  if (ScriptValue* c = Positional(args)) ToText(*c, caption);
  const bool button = FlagOr(Keyword(args, kw::button), true);
  if (m_timeline) m_timeline->PauseAtNextChunk(caption, button);
}

void CExpoView::Launch(ScriptValueList& args) {
  if (m_scene.fastForwarding) return;  // catching up must not open anything
  ScriptValue* fileValue = Positional(args);
  std::string file, application;
  if (!fileValue || !ToText(*fileValue, file)) return;
  if (ScriptValue* a = Keyword(args, kw::application)) ToText(*a, application);
  QJsonObject detail;
  detail["file"] = QString::fromStdString(CourseToUtf8(file));
  if (!application.empty()) detail["application"] = QString::fromStdString(CourseToUtf8(application));
  m_host->Trace("launch", detail);
  const bool wasPlaying = m_timeline && !m_timeline->paused();
  if (wasPlaying) m_timeline->SetPaused(true);
  m_host->Launch(file, application);
  if (wasPlaying && m_timeline->paused()) m_timeline->SetPaused(false);
}

CExpoObject* CExpoView::ShowContinueButton(std::string_view caption) {
  const QPoint pen = m_scene.pen;
  const std::string last = m_scene.lastButton;
  ScriptValueList args{ScriptValue::Text(caption)};
  CExpoObject* button = m_scene.Create(kw::button, args);
  m_scene.pen = pen;
  m_scene.lastButton = last;
  if (!button) return nullptr;
  ExpoRect r = button->rect();
  r.MoveTo(QPoint(m_scene.area.width() - 4 - r.width(), m_scene.area.height() - 4 - r.height()));
  button->Invalidate();
  button->SetRect(r);
  button->Invalidate();
  bool focused = false;
  for (const auto& o : m_scene.objects())
    if (o.get() != button && o->selected() && o->isControl()) focused = true;
  if (!focused) m_scene.Select(button);
  return button;
}

void CExpoView::RemoveButtons() {
  std::vector<CExpoObject*> buttons;
  for (const auto& o : m_scene.objects())
    if (o->kind() == ExpoKind::Button) buttons.push_back(o.get());
  for (CExpoObject* o : buttons) m_scene.Remove(o);
}

// ---------------------------------------------------------------- names and functions

ScriptValue CExpoView::ValueOfName(int code) {
  ScriptValue v;
  switch (code) {
    case kw::background:
      v = ScriptValue::Colour(ColourWord(qRed(m_scene.background), qGreen(m_scene.background), qBlue(m_scene.background)));
      break;
    case kw::button_selected:
      v = ScriptValue::Text(m_scene.lastButton);
      break;
    case kw::expo_size:
      v = ScriptValue::Point(m_scene.area.width(), m_scene.area.height());
      break;
    case kw::show_buttons:
      v = ScriptValue::Integer(m_showButtons ? 1 : 0);
      break;
    case kw::toy_size:
      return ScriptValue::Point(m_scene.area.width(), m_scene.area.height());
    default:
      return StandardNameValue(code, &m_variables);
  }
  v.setVariable(code);
  return v;
}

bool CExpoView::Assign(const ScriptValue& variable, const ScriptValue& value) {
  if (!variable.fromVariable()) return false;
  const int code = variable.variableCode();
  switch (code) {
    case kw::background: {
      std::uint32_t word = 0;
      if (!ToColour(value, word)) return false;
      m_scene.background = ColourWordToRgb(word);
      m_scene.Invalidate(QRect(QPoint(0, 0), m_scene.area));
      return true;
    }
    case kw::button_selected: {
      std::string text;
      if (!ToText(value, text)) return false;
      m_scene.lastButton = text;
      return true;
    }
    case kw::expo_size: {
      ScriptPoint p;
      if (!ToPoint(value, p)) return false;
      SetArea(QSize(p.x, p.y));  // held to what a window can show
      m_host->AreaResized(m_scene.area);
      return true;
    }
    case kw::show_buttons: {
      std::int32_t i = 0;
      if (!ToInteger(value, i)) return false;
      if ((i != 0) != m_showButtons) {
        m_showButtons = i != 0;
        m_host->ShowButtonsChanged(m_showButtons);
      }
      return true;
    }
    case kw::title: {
      std::string text;
      if (!ToText(value, text)) return false;
      m_host->SetTitle(StripMarkup(text));
      return true;
    }
    default:
      return m_variables.Assign(code, value);
  }
}

bool CExpoView::CommandOrFunction(int code, ScriptValueList& args, ScriptValue* result) {
  if (result) return Function(code, args, *result);
  switch (code) {
    case kw::focus: Focus(args); return true;
    case kw::initialize: Initialize(); return true;
    case kw::launch: Launch(args); return true;
    case kw::lock:
      if (!m_scene.fastForwarding) m_locked = true;
      return true;
    case kw::unlock: m_locked = false; return true;
    case kw::set: {
      ScriptValue* variable = Positional(args);
      ScriptValue* to = Keyword(args, kw::to);
      if (variable && to) Assign(*variable, *to);
      return true;
    }
    case kw::sound: Sound(args); return true;
    default: return false;
  }
}

bool CExpoView::Function(int code, ScriptValueList& args, ScriptValue& result) {
  switch (code) {
    case kw::answer: {
      CExpoObject* object = nullptr;
      if (ScriptValue* name = Positional(args)) {
        const auto found = m_scene.Resolve(*name);
        if (!found.empty()) object = found.front();
      } else {
        for (const auto& o : m_scene.objects())
          if (o->kind() == ExpoKind::Edit) {
            object = o.get();
            break;
          }
      }
      if (!object) {
        result = ScriptValue::Text("");
        return true;
      }
      if (object->kind() == ExpoKind::Checkbox || object->kind() == ExpoKind::Radio) {
        result = ScriptValue::Integer(static_cast<CExpoCheck*>(object)->checked() ? 1 : 0);
      } else if (object->kind() == ExpoKind::Edit) {
        const std::string text = object->Text();
        const bool check = FlagOr(Keyword(args, kw::check), false);
        const bool number = !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '.' || text[0] == '-');
        if (check && static_cast<CExpoEdit*>(object)->numeric() && number) {
          result = ScriptValue::Text(text);
          result.ConvertTo(ScriptKind::Real);
        } else {
          result = ScriptValue::Text(text);
        }
      } else {
        result = ScriptValue::Text("");
      }
      return true;
    }
    case kw::extent:
    case kw::xextent:
    case kw::yextent:
    case kw::location:
    case kw::xlocation:
    case kw::ylocation:
    case kw::x:
    case kw::y: {
      if (AnswerPointFunction(code, args, result)) return true;
      ScriptValue* name = Positional(args);
      if (!name) return false;
      QPoint p;
      std::string text;
      if ((code == kw::location || code == kw::xlocation || code == kw::ylocation) && name->is(ScriptKind::Text) &&
          ToText(*name, text) && EqualNoCase(text, "here")) {
        p = m_scene.pen;
      } else {
        const auto objects = m_scene.Resolve(*name);
        if (objects.empty()) return false;
        const ExpoRect box = m_scene.JointBox(objects);
        const bool isExtent = code == kw::extent || code == kw::xextent || code == kw::yextent;
        p = isExtent ? QPoint(box.width(), box.height()) : box.topLeft();
      }
      switch (code) {
        case kw::extent:
        case kw::location: result = ScriptValue::Point(p.x(), p.y()); break;
        case kw::xextent:
        case kw::xlocation:
        case kw::x: result = ScriptValue::Integer(p.x()); break;
        default: result = ScriptValue::Integer(p.y()); break;
      }
      return true;
    }
    case kw::string_width:
    case kw::string_height: {
      ScriptValue* textValue = Positional(args);
      std::string text;
      if (!textValue || !ToText(*textValue, text)) return false;
      FontDescription font = m_scene.text;
      if (ScriptValue* s = Keyword(args, kw::size)) font.size = std::clamp(IntegerOr(s, font.size), 1, 1000);
      if (ScriptValue* st = Keyword(args, kw::style); st && st->is(ScriptKind::Keyword)) {
        switch (st->keyword()) {
          case kw::bold: font.flags |= kFontBold; break;
          case kw::italic: font.flags |= kFontItalic; break;
          case kw::underline: font.flags |= kFontUnderline; break;
          case kw::plain: font.flags &= ~std::uint32_t(kFontBold | kFontItalic | kFontUnderline); break;
          default: break;
        }
      }
      if (ScriptValue* f = Keyword(args, kw::face)) {
        std::string face;
        if (f->is(ScriptKind::Text) && ToText(*f, face)) font.SetFace(face);
        else if (f->isKeyword(kw::serif)) font.flags |= kFontSerif;
        else if (f->isKeyword(kw::fixed) || f->isKeyword(kw::code)) font.flags |= kFontFixed;
        else if (f->isKeyword(kw::symbol)) font.flags |= kFontSymbol;
      }
      const QFontMetrics fm(ExpoFont(font));
      result = ScriptValue::Integer(code == kw::string_width ? fm.horizontalAdvance(Display(text)) : fm.height());
      return true;
    }
    default:
      return false;
  }
}
