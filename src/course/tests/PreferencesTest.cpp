#include <gtest/gtest.h>

#include "TestSupport.h"
#include "course/CourseLocations.h"
#include "course/CourseModelLinks.h"
#include "course/CoursePersonality.h"
#include "course/CourseStream.h"
#include "course/Preferences.h"
#include "course/ResourceContainer.h"
#include "course/Services.h"

namespace {

std::vector<std::uint8_t> Block(const Preferences& p) {
  Preferences copy = p;
  CourseStream s;
  copy.Serialize(s);
  return s.TakeData();
}

std::vector<CourseListEntry> Entries(int n) {
  std::vector<CourseListEntry> v;
  for (int i = 0; i < n; ++i) v.push_back({"k" + std::to_string(i), "v" + std::to_string(i)});
  return v;
}

}  // namespace

TEST(Preferences, DefaultsComeFromThePersonality) {
  const Preferences plain;
  EXPECT_FALSE(plain.disableSounds);
  EXPECT_EQ(plain.pageFormat, 0);
  EXPECT_EQ(plain.fontSize, 12);
  EXPECT_FALSE(plain.changed());

  ContainerWriter w;
  w.AddEntry(kEntryText, "Disable Sounds", {'1'});
  w.AddEntry(kEntryText, "Page Format", {'9'});
  auto personality = CoursePersonality::FromBytes(w.Build());
  ScopedService<CoursePersonality> installed(personality.get());
  const Preferences branded;
  EXPECT_TRUE(branded.disableSounds);
  EXPECT_EQ(branded.pageFormat, 2);
}

TEST(Preferences, NormalizeBringsFieldsIntoRange) {
  struct Case {
    int fontSize, pageFormat, bundled, asterisks;
    std::optional<int> bundles, sources;
    int wantFont, wantFormat, wantBundled, wantAsterisks;
  };
  const Case cases[] = {
      {30, 9, 0, 0, {}, {}, 12, 2, 0, 0},
      {7, 6, 0, 0, {}, {}, 12, 6, 0, 0},
      {8, 7, 0, 0, {}, {}, 8, 0, 0, 0},
      {24, 255, 0, 0, {}, {}, 24, 3, 0, 0},
      {12, 0, 2, 0xFFFF, 3, 3, 12, 0, 2, 0x7},
      {12, 0, 3, 0x00F0, 3, 5, 12, 0, 0, 0x10},  // index 3 of 3 bundles names none
      {12, 0, 9, 0xFFFF, 3, 0, 12, 0, 0, 0},     // a mask would have kept 9 & 7 = 1: another bundle
      {12, 0, 200, 0xABCD, {}, {}, 12, 0, 200, 0xABCD},  // lists not known yet: kept
      {12, 0, 1, 0xABCD, 2, 16, 12, 0, 1, 0xABCD},
      {12, 0, 1, 0xABCD, 2, 40, 12, 0, 1, 0xABCD},
  };
  for (const auto& c : cases) {
    Preferences p;
    p.fontSize = static_cast<std::uint8_t>(c.fontSize);
    p.pageFormat = static_cast<std::uint8_t>(c.pageFormat);
    p.bundledText = static_cast<std::uint8_t>(c.bundled);
    p.asterisks = static_cast<std::uint16_t>(c.asterisks);
    p.activities = 5;
    p.Normalize(c.bundles, c.sources);
    EXPECT_EQ(p.fontSize, c.wantFont) << c.fontSize;
    EXPECT_EQ(p.pageFormat, c.wantFormat) << c.pageFormat;
    EXPECT_EQ(p.bundledText, c.wantBundled) << c.bundled;
    EXPECT_EQ(p.asterisks, c.wantAsterisks) << c.asterisks;
    EXPECT_EQ(p.activities, 0);
  }
  // Without arguments the counts come from the connected lists.
  ScopedCourseModelLinks links({[] { return Entries(2); }, [] { return Entries(1); }, {}});
  Preferences p;
  p.bundledText = 2;
  p.asterisks = 3;
  p.Normalize();
  EXPECT_EQ(p.bundledText, 0);
  EXPECT_EQ(p.asterisks, 1);
}

TEST(Preferences, EqualComparesSettingsAndFoldersOnly) {
  const Preferences base;
  std::vector<std::function<void(Preferences&)>> differences = {
      [](Preferences& p) { p.flag0 = true; },
      [](Preferences& p) { p.textToSpeech = true; },
      [](Preferences& p) { p.fontSize = 13; },
      [](Preferences& p) { p.asterisks = 1; },
      [](Preferences& p) { p.spare[3] = 1; },
      [](Preferences& p) { p.SetFolder(Preferences::kTempFolder, "/tmp/"); },
      [](Preferences& p) { p.SetFolder(Preferences::kTeacherFolder, "/t/"); },
  };
  for (std::size_t i = 0; i < differences.size(); ++i) {
    Preferences p;
    differences[i](p);
    EXPECT_FALSE(p.Equal(base)) << i;
    Preferences q;
    q.AssignSettings(p);
    EXPECT_TRUE(q.Equal(p)) << i;
  }
  Preferences p;
  p.RememberRect(3, {1, 2, 3, 4});
  EXPECT_TRUE(p.changed());
  EXPECT_TRUE(p.Equal(base));  // neither the window table nor the changed mark count
}

TEST(Preferences, WindowTable) {
  Preferences p;
  p.RememberRect(0, {1, 1, 2, 2});
  EXPECT_FALSE(p.changed());
  EXPECT_EQ(p.UsedWindowEntries(), 0);

  p.RememberRect(5, {10, 20, 110, 220});
  EXPECT_TRUE(p.changed());
  EXPECT_EQ(p.LookupRect(5), (CourseRect{10, 20, 110, 220}));
  EXPECT_EQ(p.LookupSize(5), (CourseSize{100, 200}));
  EXPECT_FALSE(p.LookupRect(6));
  EXPECT_FALSE(p.LookupRect(0));

  p.SetChanged(false);
  p.RememberRect(5, {10, 20, 110, 220});
  EXPECT_FALSE(p.changed()) << "the same rectangle again is no change";
  p.RememberRect(5, {0, 0, 1, 1});
  EXPECT_TRUE(p.changed());
  EXPECT_EQ(p.UsedWindowEntries(), 1);

  for (int key = 100; key < 100 + Preferences::kWindowSlots; ++key) p.RememberRect(key, {key, 0, key + 1, 1});
  EXPECT_EQ(p.UsedWindowEntries(), Preferences::kWindowSlots);
  EXPECT_TRUE(p.LookupRect(100 + Preferences::kWindowSlots - 2));
  EXPECT_FALSE(p.LookupRect(100 + Preferences::kWindowSlots - 1)) << "a full table stores nothing";
  p.RememberRect(5, {7, 7, 8, 8});
  EXPECT_EQ(p.LookupRect(5), (CourseRect{7, 7, 8, 8})) << "an existing key is still updated";
}

TEST(Preferences, BlockRoundTripsThroughTheCourseStream) {
  Preferences p;
  p.flag0 = p.hideTime = p.flag8 = p.textToSpeech = true;
  p.fontSize = 18;
  p.bundledText = 1;
  p.pageFormat = 4;
  p.asterisks = 0x0005;
  p.spare = {1, 2, 3, 4};
  p.SetFolder(Preferences::kTeacherFolder, "/home/t/Teach/");
  p.SetFolder(Preferences::kProgramFolder, "/opt/kestrelon/");
  const auto bytes = Block(p);
  ASSERT_EQ(bytes.size(), 10u + 3 + 4 + 4 + (1 + 14) + (1 + 15) + 1 + 2);

  Preferences q;
  CourseStream in(bytes);
  std::string teacher;
  q.Serialize(in, &teacher);
  EXPECT_TRUE(in.atEnd());
  EXPECT_TRUE(q.changed());
  EXPECT_EQ(q.fontSize, 18);
  EXPECT_EQ(q.pageFormat, 4);
  EXPECT_EQ(q.spare, p.spare);
  EXPECT_TRUE(q.flag0 && q.hideTime && q.flag8 && q.textToSpeech && !q.showTips);
  // The file's teacher folder is reported, never taken: the caller asks the learner.
  EXPECT_EQ(teacher, "/home/t/Teach/");
  EXPECT_FALSE(q.folder(Preferences::kTeacherFolder).valid);
  EXPECT_FALSE(q.teacherFolder().valid);
  EXPECT_FALSE(q.folder(Preferences::kProgramFolder).valid);
}

TEST(Preferences, BlockWindowEntriesNeedNegatedKeys) {
  Preferences p;
  p.RememberRect(4, {1, 2, 3, 4});
  p.RememberRect(9, {5, 6, 7, 8});

  Preferences reader;
  reader.RememberRect(4, {100, 100, 200, 200});
  const auto before = reader.windowTable();
  const auto written = Block(p);  // with their (positive) keys
  CourseStream in(written);
  reader.Serialize(in);
  EXPECT_EQ(reader.windowTable(), before);

  // Negated keys: -4 overwrites entry 4, -12 takes the first free entry, 0 is no entry.
  CourseStream out;
  Preferences().Serialize(out);
  auto bytes = out.TakeData();
  bytes.resize(bytes.size() - 2);  // replace the count
  for (int v : {0, 3}) bytes.push_back(static_cast<std::uint8_t>(v));
  for (std::int16_t key : {std::int16_t(-4), std::int16_t(-12), std::int16_t(0)}) {
    CourseStream item;
    item.WriteI16(key);
    item.WriteRect({key, 1, 50, 60});
    bytes.insert(bytes.end(), item.data().begin(), item.data().end());
  }
  CourseStream in2(bytes);
  reader.Serialize(in2);
  EXPECT_EQ(reader.LookupRect(4), (CourseRect{-4, 1, 50, 60}));
  EXPECT_EQ(reader.LookupRect(12), (CourseRect{-12, 1, 50, 60}));
  EXPECT_EQ(reader.UsedWindowEntries(), 2);
}

TEST(Preferences, ReadingABlockNormalisesAndKeepsTheRecordOnTruncation) {
  Preferences p;
  p.fontSize = 30;  // written as it is, normalised when read
  p.pageFormat = 9;
  p.RememberRect(2, {0, 0, 10, 10});
  auto bytes = Block(p);
  Preferences q;
  {
    CourseStream in(bytes);
    q.Serialize(in);
  }
  EXPECT_EQ(q.fontSize, 12);
  EXPECT_EQ(q.pageFormat, 2);

  Preferences r;
  r.fontSize = 20;
  r.SetChanged(false);
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    CourseStream in(cut);
    EXPECT_THROW(r.Serialize(in), CourseStreamEnd) << n;
    EXPECT_EQ(r.fontSize, 20) << n;
    EXPECT_FALSE(r.changed()) << n;
  }
}

TEST(Preferences, AFolderTheStreamCannotHoldIsWrittenAsAbsent) {
  Preferences p;
  const std::string longPath = "/" + std::string(300, 'd') + "/";
  ASSERT_TRUE(p.SetFolder(Preferences::kTeacherFolder, longPath));
  Preferences q;
  q.SetFolder(Preferences::kTeacherFolder, "/kept/");
  const auto written = Block(p);
  CourseStream in(written);
  std::string teacher = "unset";
  q.Serialize(in, &teacher);
  EXPECT_EQ(teacher, "");
  EXPECT_EQ(q.folder(Preferences::kTeacherFolder).path, "/kept/");
}

TEST(Preferences, AnAcceptedFileTeacherFolderServesWithoutReplacingTheOwn) {
  Preferences p;
  p.SetFolder(Preferences::kTeacherFolder, "/mine/");
  ASSERT_TRUE(p.SetFileTeacherFolder("/class/"));
  EXPECT_EQ(p.teacherFolder().path, "/class/");
  EXPECT_EQ(p.folder(Preferences::kTeacherFolder).path, "/mine/");
  // The progress file keeps the folder it came with.
  Preferences q;
  const auto written = Block(p);
  CourseStream in(written);
  std::string teacher;
  q.Serialize(in, &teacher);
  EXPECT_EQ(teacher, "/class/");
  p.SetFileTeacherFolder({});
  EXPECT_EQ(p.teacherFolder().path, "/mine/");
}

TEST(Preferences, DiscoverVolumeMatchesLabels) {
  const auto discs = kntest::MakeTempDir("discs");
  std::filesystem::create_directories(discs / "e" / "SUB" / "course");
  std::filesystem::create_directories(discs / "f");
  const std::vector<MountedVolume> mounted = {
      {discs / "c", ""}, {discs / "d", "OTHER"}, {discs / "e", "mydisc"}, {discs / "f", "KESTRELON"}};
  const std::string e = (discs / "e").string();
  struct Case {
    const char* volumes;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"MYDISC;sub;", e + "/SUB/"},  // the subfolder as it is named on the disc
      {"MYDISC; ;", e + "/"},
      {"MYDISC;;", e + "/"},
      {"MYDISC", e + "/"},
      {"NOPE;x;MYDISC;new;", e + "/new/"},
      {"Kestrelon; ;MYDISC;sub;", e + "/SUB/"},  // volumes are tried in order, then the pairs
      {"nothing;here;", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FindCourseVolume(c.volumes, mounted), c.expected) << c.volumes;

  ContainerWriter w;
  const std::string value = "MYDISC;sub;";
  w.AddEntry(kEntryText, "Volumes", std::vector<std::uint8_t>(value.begin(), value.end()));
  auto personality = CoursePersonality::FromBytes(w.Build());
  ScopedService<CoursePersonality> installed(personality.get());
  Preferences p;
  p.DiscoverVolume(mounted);
  EXPECT_EQ(p.folder(Preferences::kCourseVolume).path, e + "/SUB/");
  EXPECT_TRUE(p.folder(Preferences::kTempFolder).valid);
  EXPECT_EQ(p.folder(Preferences::kTempFolder).path.back(), '/');
  EXPECT_EQ(p.folder(Preferences::kProgramFolder).path, ProgramFolder().string() + "/");

  // With an explicit course folder, it is the program folder and no volume is used.
  const auto own = kntest::MakeTempDir("own");
  SetExplicitCourseFolder(own);
  p.DiscoverVolume(mounted);
  SetExplicitCourseFolder(std::nullopt);
  EXPECT_EQ(p.folder(Preferences::kProgramFolder).path, own.string() + "/");
  EXPECT_FALSE(p.folder(Preferences::kCourseVolume).valid);
}

TEST(Preferences, ChangeHookReceivesThePreviousRecord) {
  std::vector<int> seen;
  auto previous = SetPreferencesChangedHook([&](const Preferences& before) { seen.push_back(before.fontSize); });
  Preferences p;
  p.fontSize = 16;
  NotifyPreferencesChanged(p);
  SetPreferencesChangedHook(std::move(previous));
  NotifyPreferencesChanged(p);
  EXPECT_EQ(seen, std::vector<int>{16});
}

TEST(Preferences, ProfileByteEncoding) {
  EXPECT_EQ(EncodeProfileBytes({0x00, 0x1F, 0xA5}), "AAPBFK");
  EXPECT_EQ(DecodeProfileBytes("AAPBFK"), (std::vector<std::uint8_t>{0x00, 0x1F, 0xA5}));
  for (const char* bad : {"A", "AQ", "aa", "A A", "AB!"}) EXPECT_FALSE(DecodeProfileBytes(bad)) << bad;
  EXPECT_EQ(DecodeProfileBytes(""), std::vector<std::uint8_t>{});
}
