// Exposition objects from arbitrary argument lists: each statement creates an object
// of any kind from values decoded out of the input, then the scene is stepped through
// positions (with seeks back), drawn at two pixel ratios, clicked, and written as a
// snapshot. Nothing may crash, hang or read outside what it owns.
//
// Input: statements of [command selector][value count] values..., a value being
// [type][payload]: integer and real 4 bytes, text [length][bytes], keyword 2 bytes,
// point 8 bytes, colour 3 bytes, list [count] values (nested at most twice).
#include <QtGui/QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "exposition/ExpoScene.h"
#include "exposition/ExpoTransition.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptColours.h"

namespace {

constexpr int kCommands[] = {kw::button, kw::checkbox, kw::radio,   kw::ask,     kw::group,   kw::hilite,
                             kw::iris,   kw::arc,      kw::arrow,   kw::circle,  kw::ellipse, kw::frame,
                             kw::line,   kw::pointer,  kw::rectangle, kw::square_root, kw::wedge, kw::movie,
                             kw::picture, kw::display, kw::bullet,  kw::question};

constexpr int kDirections[] = {kw::bands,  kw::bands_backwards, kw::blinds, kw::blinds_backwards, kw::corner,
                               kw::corner_backwards, kw::cross, kw::cross_backwards, kw::diagonal,
                               kw::diagonal_backwards, kw::diamond, kw::diamond_backwards, kw::down, kw::in_out,
                               kw::left, kw::noise, kw::out_in, kw::right, kw::shimmer, kw::stripes,
                               kw::stripes_backwards, kw::telescope, kw::telescope_backwards, kw::up};

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> d) : m_d(d) {}
  bool atEnd() const { return m_pos >= m_d.size(); }
  std::uint8_t Byte() { return atEnd() ? 0 : m_d[m_pos++]; }
  std::uint32_t Word() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return v;
  }
  ScriptValue Value(int depth) {
    switch (Byte() % 8) {
      case 0: return ScriptValue::Integer(static_cast<std::int32_t>(Word()));
      case 1: {
        const std::uint32_t w = Word();
        float f;
        std::memcpy(&f, &w, sizeof f);
        return ScriptValue::Real(f);
      }
      case 2: {
        std::string s;
        for (int n = Byte(); n > 0 && !atEnd(); --n) s += static_cast<char>(Byte());
        return ScriptValue::Text(s);
      }
      case 3: return ScriptValue::Keyword(kFirstKeyword + int((Byte() << 8 | Byte()) % kKeywordCount));
      case 4: {
        const auto x = static_cast<std::int32_t>(Word());
        return ScriptValue::Point(x, static_cast<std::int32_t>(Word()));
      }
      case 5: return ScriptValue::Colour(ColourWord(Byte(), Byte(), Byte()));
      case 6: {
        ScriptValueList items;
        if (depth < 2)
          for (int n = Byte() % 6; n > 0; --n) items.push_back(Value(depth + 1));
        return ScriptValue::List(std::move(items));
      }
      default: return ScriptValue::Integer(Byte() % 200);  // small numbers are the common case
    }
  }

 private:
  std::span<const std::uint8_t> m_d;
  std::size_t m_pos = 0;
};

class FuzzHost : public ExpoHost {
 public:
  QImage LoadPicture(std::string_view name) override {
    if (name.empty()) return {};
    QImage image(1 + name.size() % 40, 1 + name[0] % 30, QImage::Format_ARGB32);
    image.fill(qRgba(10, 200, 30, 128));
    return image;
  }
  // A clock that runs fast, so that blocking entrances end after a few frames.
  std::uint32_t Milliseconds() const override { return m_clock += 997; }
  void ShowEntranceFrame(const CExpoObject& o) override { (void)m_scene->RenderEntranceFrame(o); }
  ExpoScene* m_scene = nullptr;

 private:
  mutable std::uint32_t m_clock = 0xFFFFF000u;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzHost host;
  ExpoScene scene(&host);
  host.m_scene = &scene;
  scene.area = QSize(160, 120);
  Reader in(std::span<const std::uint8_t>(data, size));
  for (int statement = 0; statement < 12 && !in.atEnd(); ++statement) {
    const std::uint8_t selector = in.Byte();
    const int command = kCommands[selector % std::size(kCommands)];
    scene.pen = QPoint(in.Byte() % 2 ? -1 : in.Byte() % 160, in.Byte() % 120);
    scene.position = std::int64_t(in.Byte()) * 2000;
    ScriptValueList args;
    for (int n = in.Byte() % 12; n > 0; --n) args.push_back(in.Value(0));
    CExpoObject* o = scene.Create(command, args);
    if (o && (selector & 0x80)) {
      const int kind = (selector & 0x20) ? kw::dance : kw::wipe;
      const int direction = kDirections[in.Byte() % std::size(kDirections)];
      o->StartTransition(kind, in.Byte() * 500, direction, (selector & 0x40) != 0, scene.position);
    }
  }
  scene.paused = true;
  for (std::int64_t p : {0, 300000, 100000, 600000}) {
    scene.Step(p);
    (void)scene.Render(1.0);
  }
  (void)scene.Render(2.0);
  for (const QPoint pt : {QPoint(10, 10), QPoint(80, 60), QPoint(150, 110)}) {
    ExpoMouseResult r;
    scene.MouseDown(pt, &r);
    scene.MouseMove(pt + QPoint(3, 3));
    (void)scene.CursorAt(pt);
    scene.MouseUp(pt);
  }
  for (const auto& o : scene.objects()) (void)scene.Resolve(o->name());
  if (scene.SnapshotJson().empty()) __builtin_trap();
  return 0;
}
