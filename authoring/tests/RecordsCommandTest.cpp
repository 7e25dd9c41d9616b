#include <gtest/gtest.h>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "records/BookmarkFile.h"
#include "records/ProgressFile.h"

namespace {

using kntest::RunKncourse;

ActivityLocator Loc(int l, int p, int a, const char* file = nullptr, const char* source = nullptr) {
  ActivityLocator x(l, p, a);
  x.mark = 0;
  if (file) {
    x.file = file;
    x.kind = 11;
  }
  if (source) x.source = source;
  return x;
}

TEST(RecordsCommand, ProgressShowsLearnerPreferencesAndWindows) {
  const auto dir = kntest::MakeTempDir("kns");
  StudentRecord r;
  r.SetName("Caf\xE9 learner");
  r.SetCompleted(Loc(0, 0, 1), true);
  r.SetCompleted(Loc(3, 0, 0), true);
  r.AddBookmark(Loc(0, -1, -1, "hw1.wrk", "my note"));
  Preferences p;
  p.fontSize = 14;
  const std::vector<WindowRecord> windows = {{1, {1, 2, 3, 4}, Loc(0, 0, -1)}};
  kntest::WriteFileBytes(dir / "a.kns", WriteProgressFile(r, p, windows));
  kntest::WriteFileText(dir / "contents.txt", "l=Data\nd=ch1\nf\np=Samples\ne=Intro\tintro.exp\nq=Quiz\tquiz.fil\n");

  const auto plain = RunKncourse({"progress", (dir / "a.kns").string()});
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_NE(plain.out.find("name:        \"Café learner\""), std::string::npos) << plain.out;
  EXPECT_NE(plain.out.find("completed:   2\n  0 0 1\n  3 0 0\n"), std::string::npos) << plain.out;
  EXPECT_NE(plain.out.find("kind 11 file \"hw1.wrk\"  source \"my note\""), std::string::npos) << plain.out;
  EXPECT_NE(plain.out.find("FontSize 14"), std::string::npos);
  EXPECT_NE(plain.out.find("windows:     1\n  kind 1     top 2 left 1 bottom 4 right 3"), std::string::npos)
      << plain.out;

  const auto titled =
      RunKncourse({"progress", (dir / "a.kns").string(), "--contents", (dir / "contents.txt").string()});
  ASSERT_EQ(titled.status, 0) << titled.err;
  EXPECT_NE(titled.out.find("0 0 1  \"Data : Samples : Quiz\""), std::string::npos) << titled.out;
  EXPECT_NE(titled.out.find("3 0 0  dropped"), std::string::npos) << titled.out;
}

TEST(RecordsCommand, DamagedProgressFilesFailWithTheOffsetAndCutBookmarkFilesLoadTheirStart) {
  const auto dir = kntest::MakeTempDir("kns");
  StudentRecord r;
  r.SetName("Ann");
  auto bytes = WriteProgressFile(r, Preferences(), {});
  bytes.resize(bytes.size() - 1);
  kntest::WriteFileBytes(dir / "cut.kns", bytes);
  const auto cut = RunKncourse({"progress", (dir / "cut.kns").string()});
  EXPECT_EQ(cut.status, 2);
  EXPECT_NE(cut.err.find("at byte"), std::string::npos) << cut.err;

  // A bookmark file cut short loads the bookmarks before the cut, as the player does.
  auto marks = WriteBookmarkFile({Loc(0, 0, 0), Loc(1, 0, 0)});
  marks.pop_back();
  kntest::WriteFileBytes(dir / "cut.mrk", marks);
  const auto shortened = RunKncourse({"bookmarks", (dir / "cut.mrk").string()});
  EXPECT_EQ(shortened.status, 0) << shortened.err;
  EXPECT_NE(shortened.out.find("bookmarks:   1\n"), std::string::npos) << shortened.out;
  EXPECT_EQ(RunKncourse({"bookmarks", (dir / "none.mrk").string()}).status, 2);
}

TEST(RecordsCommand, BookmarksInFileOrder) {
  const auto dir = kntest::MakeTempDir("mrk");
  kntest::WriteFileBytes(dir / "b.mrk", WriteBookmarkFile({Loc(1, 0, 0), Loc(0, 0, 0, nullptr, "first")}));
  const auto r = RunKncourse({"bookmarks", (dir / "b.mrk").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("bookmarks:   2\n    0 place 1 0 0"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("    1 place 0 0 0      mark 0   kind 0  file -  source \"first\""), std::string::npos) << r.out;
  for (const char* group : {"progress", "bookmarks"}) {
    const auto help = RunKncourse({group, "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage:"), std::string::npos);
  }
}

}  // namespace
