#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QProcess>
#include <QtCore/QProcessEnvironment>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "TestSupport.h"
#include "course/ByteReader.h"
#include "course/Preferences.h"

namespace {

// Every field a profile round trip must keep, as text.
std::string Describe(const Preferences& p) {
  std::ostringstream s;
  for (bool b : {p.flag0, p.disableSounds, p.neverAdjust, p.hideTime, p.flag4, p.expoSource, p.showTips, p.flag7,
                 p.flag8, p.textToSpeech})
    s << b;
  s << ' ' << int(p.fontSize) << ' ' << int(p.bundledText) << ' ' << int(p.pageFormat) << ' ' << p.asterisks << ' '
    << p.activities;
  for (auto b : p.spare) s << ' ' << int(b);
  for (const auto& f : p.folders) s << " [" << f.valid << ' ' << f.path << ']';
  for (const auto& w : p.windowTable())
    s << ' ' << w.key << ':' << w.rect.left << ',' << w.rect.top << ',' << w.rect.right << ',' << w.rect.bottom;
  return s.str();
}

std::string ReadText(const std::filesystem::path& path) {
  const auto bytes = kntest::ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// A "Windows" value holding the given entries (key, left, top, right, bottom).
std::string WindowsValue(const std::vector<std::array<std::int32_t, 5>>& entries) {
  std::vector<std::uint8_t> bytes;
  for (const auto& e : entries) {
    AppendLe16(bytes, static_cast<std::uint16_t>(e[0]));
    AppendLe16(bytes, 0xEEEE);  // filler: ignored
    for (int i = 1; i < 5; ++i) AppendLe32(bytes, static_cast<std::uint32_t>(e[i]));
  }
  return EncodeProfileBytes(bytes);
}

}  // namespace

// Run by ProfileRoundTripsThroughAFreshProcess in a child process: loads the profile named
// by KN_PROFILE_IN and writes its description to KN_PROFILE_OUT.
TEST(ProfileChild, DISABLED_LoadAndDescribe) {
  const char* in = std::getenv("KN_PROFILE_IN");
  const char* out = std::getenv("KN_PROFILE_OUT");
  ASSERT_TRUE(in && out);
  Preferences p;
  p.LoadProfile(in);
  kntest::WriteFileText(out, Describe(p));
}

TEST(Profile, RoundTripsThroughAFreshProcess) {
  Preferences p;
  p.disableSounds = p.hideTime = p.showTips = p.textToSpeech = true;
  p.fontSize = 17;
  p.bundledText = 3;
  p.pageFormat = 6;
  p.asterisks = 0x0102;
  p.SetFolder(Preferences::kTeacherFolder, "/home/learner/My Teach, 2024/é/");
  for (int key = 1; key <= Preferences::kWindowSlots; ++key)
    p.RememberRect(key, {key, 2 * key, 7999 - key, 8000});
  ASSERT_TRUE(p.changed());
  ASSERT_TRUE(p.SaveProfile());
  EXPECT_FALSE(p.changed());

  const auto profile = Preferences::ProfilePath();
  EXPECT_EQ(profile, std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "Kestrelon" / "Kestrelon.ini");
  ASSERT_TRUE(std::filesystem::exists(profile));
  EXPECT_NE(ReadText(profile).find("[Config]"), std::string::npos);
  // Recent-file paths live here too: the learner's alone.
  EXPECT_EQ(std::filesystem::status(profile).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

  const auto dump = kntest::MakeTempDir("dump") / "child.txt";
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("KN_PROFILE_IN", QString::fromStdString(profile.string()));
  env.insert("KN_PROFILE_OUT", QString::fromStdString(dump.string()));
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_also_run_disabled_tests", "--gtest_filter=ProfileChild.DISABLED_LoadAndDescribe"});
  ASSERT_TRUE(child.waitForFinished(60000));
  ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();

  Preferences loaded;
  loaded.LoadProfile(profile);
  EXPECT_TRUE(loaded.Equal(p));
  EXPECT_EQ(loaded.windowTable(), p.windowTable());
  EXPECT_EQ(ReadText(dump), Describe(p));
}

TEST(Profile, HandEditedValuesAreNormalised) {
  const auto ini = kntest::MakeTempDir("ini") / "hand.ini";
  kntest::WriteFileText(ini, "[Config]\n"
                             "FontSize=30\n"
                             "PageFormat=9\n"
                             "BundledText=300\n"
                             "Asterisks=-1\n"
                             "DisableSounds=7\n"
                             "HideTime=abc\n"
                             "ShowTips= 1\n"
                             "Activities=4\n"
                             "TeacherFolder=/home/me/Teach\n"
                             "Windows=" + WindowsValue({{3, 0, 0, 640, 480},
                                                        {0, 1, 1, 2, 2},          // free key
                                                        {4, -1, 0, 10, 10},       // negative left
                                                        {5, 0, -5, 10, 10},       // negative top
                                                        {6, 0, 0, 8001, 10},      // beyond 8000
                                                        {7, 0, 0, 10, 8001},
                                                        {8, 10, 20, 8000, 8000}}) +
                                 "\n");
  Preferences p;
  p.hideTime = true;
  p.LoadProfile(ini);
  EXPECT_EQ(p.fontSize, 12);
  EXPECT_EQ(p.pageFormat, 2);
  EXPECT_EQ(p.bundledText, 0);
  EXPECT_EQ(p.asterisks, 0xFFFF);  // masked only once the asterisk sources are known
  EXPECT_TRUE(p.disableSounds);
  EXPECT_TRUE(p.hideTime) << "a value without digits keeps the current setting";
  EXPECT_TRUE(p.showTips);
  EXPECT_EQ(p.activities, 0);
  EXPECT_EQ(p.folder(Preferences::kTeacherFolder).path, "/home/me/Teach");
  EXPECT_TRUE(p.folder(Preferences::kTeacherFolder).valid);
  EXPECT_EQ(p.UsedWindowEntries(), 2);
  EXPECT_EQ(p.LookupRect(3), (CourseRect{0, 0, 640, 480}));
  EXPECT_EQ(p.LookupRect(8), (CourseRect{10, 20, 8000, 8000}));
  EXPECT_FALSE(p.changed());

  struct Case {
    const char* text;
    int font;
  };
  for (const Case& c : {Case{"264", 12}, Case{"8", 8}, Case{"24", 24}, Case{"-12", 12}, Case{"20px", 20}}) {
    const auto f = kntest::MakeTempDir("ini") / "font.ini";
    kntest::WriteFileText(f, std::string("[Config]\nFontSize=") + c.text + "\n");
    Preferences q;
    q.LoadProfile(f);
    EXPECT_EQ(q.fontSize, c.font) << c.text;
  }
}

TEST(Profile, ADamagedWindowsValueIsIgnored) {
  const auto good = WindowsValue({{3, 0, 0, 640, 480}, {4, 10, 10, 20, 20}});
  struct Case {
    std::string windows;
    int used;
  };
  const Case cases[] = {
      {"ABCZ", 1},                                // a letter outside A..P
      {"ABC", 1},                                 // odd length
      {good.substr(0, good.size() - 2), 1},       // the cut-off last entry is dropped, the first is taken
      {good, 2},
  };
  for (const auto& c : cases) {
    const auto ini = kntest::MakeTempDir("ini") / "w.ini";
    kntest::WriteFileText(ini, "[Config]\nFontSize=9\nWindows=" + c.windows + "\n");
    Preferences p;
    p.RememberRect(77, {1, 1, 2, 2});
    p.LoadProfile(ini);
    EXPECT_EQ(p.fontSize, 9) << c.windows;
    EXPECT_EQ(p.UsedWindowEntries(), c.used) << c.windows;
    EXPECT_EQ(p.LookupRect(77).has_value(), c.windows.size() < 40) << c.windows;
  }
}

TEST(Profile, TeacherFolderAndWindowsKeys) {
  const auto dir = kntest::MakeTempDir("ini");
  Preferences p;
  p.SetFolder(Preferences::kTeacherFolder, "/keep/");
  // Keys the file lacks keep their values; an over-long folder is ignored.
  kntest::WriteFileText(dir / "long.ini", "[Config]\nTeacherFolder=/" + std::string(5000, 'x') + "\n");
  p.LoadProfile(dir / "long.ini");
  EXPECT_EQ(p.folder(Preferences::kTeacherFolder).path, "/keep/");
  kntest::WriteFileText(dir / "empty.ini", "[Config]\nTeacherFolder=\n");
  p.LoadProfile(dir / "empty.ini");
  EXPECT_FALSE(p.folder(Preferences::kTeacherFolder).valid);

  // With no window in the table, no "Windows" value is written.
  Preferences fresh;
  ASSERT_TRUE(fresh.SaveProfile(dir / "fresh.ini"));
  const std::string text = ReadText(dir / "fresh.ini");
  EXPECT_EQ(text.find("Windows"), std::string::npos);
  EXPECT_NE(text.find("TeacherFolder="), std::string::npos);
  EXPECT_NE(text.find("FontSize=12"), std::string::npos);

  // A profile that cannot be written is reported and the changed mark stays.
  std::filesystem::create_directories(dir / "ro");
  std::filesystem::permissions(dir / "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  fresh.SetChanged();
  if (::geteuid() != 0) {
    EXPECT_FALSE(fresh.SaveProfile(dir / "ro" / "x.ini"));
    EXPECT_TRUE(fresh.changed());
  }
  std::filesystem::permissions(dir / "ro", std::filesystem::perms::owner_all);
}

TEST(Profile, AnExistingProfileOpenToOthersIsClosedWhenWritten) {
  const auto dir = kntest::MakeTempDir("ini");
  const auto ini = dir / "open.ini";
  kntest::WriteFileText(ini, "[Config]\nFontSize=14\n");
  std::filesystem::permissions(ini, std::filesystem::perms::all);
  Preferences p;
  p.LoadProfile(ini);
  EXPECT_EQ(p.fontSize, 14);
  ASSERT_TRUE(p.SaveProfile(ini));
  EXPECT_EQ(std::filesystem::status(ini).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}
