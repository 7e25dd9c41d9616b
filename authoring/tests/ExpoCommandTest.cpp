// kncourse expo play over the bundled course's expositions, and kncourse script run.
#include <gtest/gtest.h>

#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtGui/QImage>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "KncourseRunner.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

using kntest::RunKncourse;

fs::path BuiltCourse() {
  const char* bin = std::getenv("KN_BINARY_DIR");
  return fs::path(bin ? bin : "build") / "bin" / "course";
}

#define REQUIRE_BUILT_COURSE() \
  if (!fs::exists(BuiltCourse() / "contents.txt")) GTEST_SKIP() << "no packed course in " << BuiltCourse().string()

std::vector<QJsonObject> JsonLines(const std::string& out) {
  std::vector<QJsonObject> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    const QJsonDocument d = QJsonDocument::fromJson(QByteArray::fromStdString(line));
    EXPECT_TRUE(d.isObject()) << line;
    lines.push_back(d.object());
  }
  return lines;
}

std::vector<std::string> Events(const std::vector<QJsonObject>& lines) {
  std::vector<std::string> events;
  for (const auto& l : lines)
    if (l.contains("event")) events.push_back(l["event"].toString().toStdString());
  return events;
}

QJsonObject StateAt(const std::vector<QJsonObject>& lines, double t) {
  for (const auto& l : lines)
    if (l.contains("t") && l["t"].toDouble() == t) return l;
  ADD_FAILURE() << "no state at " << t;
  return {};
}

TEST(ExpoCommand, EveryExpositionOfTheCoursePlaysToItsEnd) {
  REQUIRE_BUILT_COURSE();
  int played = 0;
  for (const auto& entry : fs::recursive_directory_iterator(BuiltCourse())) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".exp" && ext != ".scr") continue;
    SCOPED_TRACE(entry.path().string());
    const auto r = RunKncourse({"expo", "play", entry.path().string()});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto events = Events(JsonLines(r.out));
    EXPECT_EQ(std::count(events.begin(), events.end(), "error"), 0);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "completed");
    EXPECT_GE(std::count(events.begin(), events.end(), "chunk"), 4);
    ++played;
  }
  EXPECT_GE(played, 11);
}

struct Expected {
  const char* kind;
  const char* key;  // name, else text
  int left, top;    // -1: not checked (centred text, whose place depends on the font)
  const char* color;
};

struct Scene {
  const char* file;
  double at;
  int objects;  // how many objects the scene holds
  std::vector<Expected> present;
};

TEST(ExpoCommand, OneSceneOfEachExposition) {
  REQUIRE_BUILT_COURSE();
  const std::vector<Scene> scenes = {
      {"ed/edintro.exp", 30, 17,
       {{"shape", "long", 300, 220, "#f88017"}, {"shape", "bars", 60, 190, "#5db9ff"},
        {"text", "Travel time to school (minutes)", -1, 12, "#0000a0"}}},
      {"ed/edhist.exp", 25, 3,
       {{"picture", "chart", 40, 50, "#777777"}, {"text", "caption", -1, 270, "#777777"},
        {"text", "Sixty travel times, three histograms", -1, 10, "#0000a0"}}},
      // the slides of 24 s are over: the last point sits at 218, the mean has moved by 23
      {"ed/edmean.exp", 27, 15, {{"shape", "last", 218, 185, "#f88017"}, {"shape", "mean", 115, 215, "#ff3f4e"},
                                 {"text", "meantext", 93, 250, "#ff3f4e"}}},
      {"nm/nmrule.exp", 28, 10, {{"picture", "curve", 20, 50, "#000000"}, {"shape", "band3", 47, 50, "#ff6666"},
                                 {"text", "label3", -1, 274, "#f88017"}}},
      {"nm/nmrule.exp", 50, 6, {{"picture", "curve", 20, 50, "#f88017"}, {"shape", "", 98, 50, "#00ee00"}}},  // cleared at 47 s
      {"nm/nmz.exp", 50, 13, {{"shape", "", 290, 215, "#0000a0"}, {"text", "Ana 1.8", 272, 200, "#0000a0"}}},
      {"sd/sdclt.exp", 14, 2, {{"picture", "chart", 20, 40, "#0000a0"}, {"text", "caption", -1, 12, "#0000a0"}}},
      {"sd/sdmany.exp", 45, 15, {{"text", "1000 sample means", -1, 14, "#0000a0"}, {"shape", "", 172, 133, "#5db9ff"}}},
      {"inf/infp.exp", 65, 8, {{"text", "conclusion", 20, 190, "#cc0000"}, {"hilite", "", 14, 184, "#ff3f4e"}}},
      {"inf/infci.exp", 31, 23, {{"hilite", "", 198, 147, "#ff3f4e"}, {"shape", "iv", 207, 159, "#ff3f4e"}}},
      {"ed/edintro.exp", 56, 3, {{"text", "Study Questions", -1, 6, "#ffff00"}, {"text", "2.  Why do the bars", 8, 39, "#ffff00"}}},
  };
  for (const Scene& s : scenes) {
    SCOPED_TRACE(std::string(s.file) + " at " + std::to_string(s.at));
    const auto r = RunKncourse({"expo", "play", (BuiltCourse() / s.file).string(), "--at", std::to_string(s.at), "--until",
                                std::to_string(s.at)});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject state = StateAt(JsonLines(r.out), s.at);
    EXPECT_FALSE(state["paused"].toBool());
    const QJsonArray objects = state["objects"].toArray();
    EXPECT_EQ(objects.size(), s.objects);
    for (const Expected& e : s.present) {
      bool found = false;
      for (const QJsonValue& v : objects) {
        const QJsonObject o = v.toObject();
        if (o["kind"].toString() != e.kind) continue;
        if (o["name"].toString() != e.key && o["text"].toString().toStdString().rfind(e.key, 0) != 0) continue;
        const QJsonArray rect = o["rect"].toArray();
        if (e.left >= 0 && rect[0].toInt() != e.left) continue;
        if (e.top >= 0 && rect[1].toInt() != e.top) continue;
        if (o["color"].toString() != e.color) continue;
        found = true;
      }
      EXPECT_TRUE(found) << e.kind << " " << e.key << " at " << e.left << "," << e.top << " " << e.color;
    }
  }
}

TEST(ExpoCommand, InputsDriveThePlayback) {
  REQUIRE_BUILT_COURSE();
  const std::string file = (BuiltCourse() / "ed" / "edintro.exp").string();
  // Paused at 5 s, then 4 s forward with the arrow: the chunk at 9 s has run.
  const auto r = RunKncourse({"expo", "play", file, "--input", "5 key space", "--input", "6 key right", "--at", "7",
                              "--input", "8 seek 30", "--at", "8.5", "--input", "9 key left", "--at", "9.5"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = JsonLines(r.out);
  const QJsonObject at7 = StateAt(lines, 7);
  EXPECT_TRUE(at7["paused"].toBool());
  EXPECT_NEAR(at7["pos"].toDouble(), (5.0 + 4.0) * 22050, 22050 * 0.05);
  EXPECT_EQ(at7["next"].toInt(), 2);
  const QJsonObject at85 = StateAt(lines, 8.5);
  EXPECT_EQ(at85["pos"].toDouble(), 30 * 22050);
  EXPECT_EQ(at85["next"].toInt(), 4);
  EXPECT_EQ(at85["objects"].toArray().size(), 17);
  // Back 4 s from 30 s: the chunk at 28 s is undone, rebuilt from the start.
  const QJsonObject at95 = StateAt(lines, 9.5);
  EXPECT_EQ(at95["pos"].toDouble(), 26 * 22050);
  EXPECT_EQ(at95["next"].toInt(), 3);
  EXPECT_EQ(at95["objects"].toArray().size(), 13);

  const auto bad = RunKncourse({"expo", "play", file, "--at", "soon"});
  EXPECT_EQ(bad.status, 2);
}

TEST(ExpoCommand, FramesArePicturesOfTheScene) {
  REQUIRE_BUILT_COURSE();
  const auto dir = kntest::MakeTempDir("frames");
  const auto r = RunKncourse({"expo", "play", (BuiltCourse() / "sd" / "sdclt.exp").string(), "--at", "1", "--at", "14",
                              "--until", "14", "--frames", dir.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const QImage first(QString::fromStdString((dir / "frame000.png").string()));
  const QImage second(QString::fromStdString((dir / "frame001.png").string()));
  ASSERT_EQ(first.size(), QSize(400, 300));
  ASSERT_EQ(second.size(), QSize(400, 300));
  EXPECT_EQ(first.pixelColor(2, 2), QColor(255, 255, 255));  // `set background to white`
  EXPECT_NE(first, second);  // the picture changed at 13 s
}

TEST(ExpoCommand, ScriptRunPrintsTheFinalScene) {
  const auto r = RunKncourse({"script", "run",
                              "repeat with int0 from 1 to 3\n"
                              "rectangle at {int0 * 20, 40} size {10, 10} label \"r\"\n"
                              "end\n"
                              "if int0 > 3 then display \"done\" at {8, 100}\n"
                              "wait 0.25"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = JsonLines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0]["event"].toString(), "wait");
  const QJsonObject state = lines[1];
  EXPECT_EQ(state["vars"].toObject()["int0"].toInt(), 4);
  const QJsonArray objects = state["objects"].toArray();
  ASSERT_EQ(objects.size(), 4);
  EXPECT_EQ(objects[2].toObject()["rect"].toArray(), QJsonArray({60, 40, 70, 50}));
  EXPECT_EQ(objects[3].toObject()["text"].toString(), "done");

  const auto error = RunKncourse({"script", "run", "repeat while 1\nend"});
  EXPECT_EQ(error.status, 1);
  EXPECT_NE(error.out.find("\"event\":\"error\""), std::string::npos) << error.out;
}

}  // namespace
