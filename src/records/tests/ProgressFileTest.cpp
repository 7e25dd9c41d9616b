#include <gtest/gtest.h>

#include "RecordsTestSupport.h"
#include "course/CourseStream.h"
#include "records/LocatorCodec.h"
#include "records/ProgressFile.h"

using kntest::Loc;

namespace {

Preferences SomePreferences() {
  Preferences p;
  p.neverAdjust = true;
  p.fontSize = 16;
  p.pageFormat = 3;
  p.SetFolder(Preferences::kTeacherFolder, "/srv/teacher/");
  return p;
}

std::vector<WindowRecord> SomeWindows() {
  return {
      {kWindowLessonBook, {10, 20, 610, 420}, Loc(0, 1, -1)},
      {5, {0, 0, 300, 200}, Loc(0, 0, 0)},
      {9, {-40, 30, 160, 230}, EmptyWindowLocator()},
  };
}

std::vector<std::uint8_t> SampleFile() {
  return WriteProgressFile(kntest::GrowingRecord(425), SomePreferences(), SomeWindows());
}

TEST(ProgressFile, RoundTripGivesEqualRecords) {
  const StudentRecord learner = kntest::GrowingRecord(425);
  const auto bytes = WriteProgressFile(learner, SomePreferences(), SomeWindows());
  const ProgressData back = ReadProgressFile(bytes, {});
  EXPECT_TRUE(kntest::SameLearner(back.learner, learner));
  ASSERT_TRUE(back.hasSettings);
  // The teacher folder comes back beside the preferences, not in them.
  Preferences withoutTeacher = SomePreferences();
  withoutTeacher.SetFolder(Preferences::kTeacherFolder, "");
  EXPECT_TRUE(back.preferences.Equal(withoutTeacher));
  EXPECT_EQ(back.teacherFolder, "/srv/teacher/");
  EXPECT_TRUE(back.preferences.changed());
  EXPECT_EQ(back.windows, SomeWindows());
  // Written again with the folder accepted, the same bytes.
  Preferences accepted = back.preferences;
  accepted.SetFileTeacherFolder(back.teacherFolder);
  EXPECT_EQ(WriteProgressFile(back.learner, accepted, back.windows), bytes);
}

TEST(ProgressFile, LayoutStartsWithTheLearnerPart) {
  StudentRecord r;
  r.SetName("Ann");
  r.SetCompleted(Loc(1, 2, 3), true);
  r.AddBookmark(Loc(0, 0, 0));
  const auto bytes = WriteProgressFile(r, Preferences(), {});
  const std::vector<std::uint8_t> head = {3, 'A', 'n', 'n', 0, 1, 1, 2, 3, 0, 1, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_GE(bytes.size(), head.size());
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + head.size()), head);
  // Ends with W = 0.
  EXPECT_EQ(bytes[bytes.size() - 2], 0);
  EXPECT_EQ(bytes[bytes.size() - 1], 0);
}

TEST(ProgressFile, EveryTruncationIsRefused) {
  const auto bytes = SampleFile();
  for (std::size_t n = 0; n < bytes.size(); ++n)
    EXPECT_THROW(ReadProgressFile(std::span(bytes.data(), n), {}), CourseFileError) << n << " of " << bytes.size();
}

// A file with N completions (no contents to check them against) and the rest empty.
std::vector<std::uint8_t> FileWithCounts(int completions, int bookmarks, int windows) {
  CourseStream s;
  s.WriteString("x");
  s.WriteU16(static_cast<std::uint16_t>(completions));
  for (int i = 0; i < completions; ++i) {
    s.WriteByte(static_cast<std::uint8_t>(i / 64));
    s.WriteByte(static_cast<std::uint8_t>(i / 8 % 8));
    s.WriteByte(static_cast<std::uint8_t>(i % 8));
  }
  s.WriteU16(static_cast<std::uint16_t>(bookmarks));
  for (int i = 0; i < bookmarks; ++i) WriteLocator(s, Loc(0, 0, i % 8));
  Preferences().Serialize(s);
  s.WriteU16(static_cast<std::uint16_t>(windows));
  for (int i = 0; i < windows; ++i) {
    s.WriteI16(2);
    s.WriteRect({});
    WriteLocator(s, EmptyWindowLocator());
  }
  return s.TakeData();
}

TEST(ProgressFile, CountsAboveNineHundredNinetyNineAreRefused) {
  struct Case {
    int completions, bookmarks, windows;
    bool ok;
  } cases[] = {
      {999, 0, 0, true}, {1000, 0, 0, false}, {0, 999, 0, true}, {0, 1000, 0, false},
      {0, 0, 999, true}, {0, 0, 1000, false}, {0, 60, 0, true},  {65535, 0, 0, false},
  };
  for (const Case& k : cases) {
    const auto bytes = FileWithCounts(k.completions, k.bookmarks, k.windows);
    if (k.ok) {
      const ProgressData d = ReadProgressFile(bytes, {});
      EXPECT_EQ(d.learner.completions().size(), static_cast<std::size_t>(k.completions));
      EXPECT_EQ(d.learner.bookmarkCount(), k.bookmarks);  // the 50 limit does not apply
      EXPECT_EQ(d.windows.size(), static_cast<std::size_t>(k.windows));
    } else {
      EXPECT_THROW(ReadProgressFile(bytes, {}), CourseFileError)
          << k.completions << " " << k.bookmarks << " " << k.windows;
    }
  }
}

TEST(ProgressFile, CompletionsTheContentsDoNotHoldAreDropped) {
  StudentRecord r;
  for (auto [l, p, a] :
       {std::tuple{0, 0, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 2}, {0, 2, 0}, {2, 0, 0}, {0, 0, -1}, {-1, 0, 0}})
    r.SetCompleted(Loc(l, p, a), true);
  const auto bytes = WriteProgressFile(r, Preferences(), {});

  ProgressReadOptions o;
  o.contents = &kntest::RecordsContents();
  const std::vector<CompletionMark> kept = {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}};
  EXPECT_EQ(ReadProgressFile(bytes, o).learner.completions(), kept);

  // A course whose contents could not be read checks nothing and keeps every mark.
  const ContentsTable empty;
  o.contents = &empty;
  EXPECT_EQ(ReadProgressFile(bytes, o).learner.completions(), r.completions());
}

TEST(ProgressFile, SkippingSettingsReadsOnlyTheLearner) {
  const auto bytes = SampleFile();
  ProgressReadOptions o;
  o.skipSettings = true;
  const ProgressData d = ReadProgressFile(bytes, o);
  EXPECT_TRUE(kntest::SameLearner(d.learner, kntest::GrowingRecord(425)));
  EXPECT_FALSE(d.hasSettings);
  EXPECT_TRUE(d.windows.empty());
}

TEST(ProgressFile, PreferencesBlockIsReadOverTheCurrentRecord) {
  Preferences current;
  current.SetFolder(Preferences::kProgramFolder, "/opt/kestrelon/");
  ProgressReadOptions o;
  o.basePreferences = &current;
  const ProgressData d = ReadProgressFile(SampleFile(), o);
  EXPECT_EQ(d.preferences.folder(Preferences::kProgramFolder).path, "/opt/kestrelon/");
  EXPECT_EQ(d.teacherFolder, "/srv/teacher/");
  EXPECT_FALSE(d.preferences.teacherFolder().valid) << "a file's teacher folder is offered, never taken";
  EXPECT_EQ(d.preferences.fontSize, 16);
}

TEST(ProgressFile, WriterRefusesWhatNoReaderAccepts) {
  StudentRecord r;
  for (int i = 0; i < 1000; ++i) r.SetCompleted(Loc(i / 72, i / 8 % 9, i % 8), true);
  EXPECT_THROW(WriteProgressFile(r, Preferences(), {}), CourseFileError);
}

}  // namespace
