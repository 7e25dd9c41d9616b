#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "course/ActivityKind.h"
#include "course/ContentsTable.h"
#include "course/ResourceContainer.h"
#include "search/CourseSearch.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kContents =
    "g=Group\n"
    "l=Alpha\nd=al\n"
    "f\np=One\n"
    "e=Mean talk\talmean.exp\n"
    "q=Median work\talmed.fil\n"
    "m=Pile\talpile.mov\n"
    "f\np=Two\n"
    "r=Guide\taldoc01.doc\n"
    "i=Explore\talexp.ise\n"
    "l=Beta\nd=be\n"
    "f\np=One\n"
    "e=Mean again\tbemean.exp\n";

std::vector<std::uint8_t> Container(const std::string& text) {
  ContainerWriter w;
  w.AddEntry(kEntryText, "body", {'x'});
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  return w.Build();
}

class CourseSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = kntest::MakeTempDir("search");
    m_contents.Load(kContents, 1, 0, nullptr);
    const fs::path al = m_root / "AL";  // the folder's case does not matter
    const fs::path be = m_root / "be";
    fs::create_directories(al / "homework");
    fs::create_directories(be);
    Put(al / "al1.pag", Container("Welcome to the mean"));
    Put(al / "al2.pag", Container("nothing here"));
    Put(al / "aldoc02.doc", Container("the standard deviation"));
    kntest::WriteFileText(al / "alexp.ise", "The Mean of a list");
    Put(al / "almean.exp", Container(":note median\nThe centre\n-median dropped\n~median\nis the mean"));
    Put(al / "almed.fil", Container("The median splits"));
    // A transcript is plain text; its first bytes would make a nonsense header.
    kntest::WriteFileText(al / "alpile.mtx", "zzzzzzzzzzzz the values pile up: skewness");
    kntest::WriteFileText(al / "altoolbar.ise", "mean");
    std::vector<std::uint8_t> bad = Container("mean");
    bad[0] = 0xff;  // a directory far longer than the file
    Put(al / "bad.fil", bad);
    Put(al / "#secret.fil", Container("mean"));
    Put(al / "orphan.fil", Container("mean"));  // no activity of the lesson names it
    Put(al / "x.pag", Container("mean"));       // no page digit
    Put(al / "al9.pag", Container("mean"));     // no ninth page
    Put(al / "homework" / "al1.wrk", Container("median homework"));
    Put(al / "homework" / "#draft.wrk", Container("median"));
    Put(be / "be1.pag", Container("Standard Deviation"));
    Put(be / "bemean.exp", Container("mean and median"));
  }
  static void Put(const fs::path& p, const std::vector<std::uint8_t>& bytes) { kntest::WriteFileBytes(p, bytes); }

  SearchOutcome Run(const SearchSettings& s, std::optional<SearchContinuation> from = std::nullopt,
                    std::size_t limit = kMaxSearchResults) {
    return CourseSearch(m_contents, FolderUnder(m_root)).Run(s, from, limit);
  }
  static std::vector<std::string> Paths(const SearchOutcome& o) {
    std::vector<std::string> paths;
    for (const SearchHit& h : o.hits) paths.push_back(std::to_string(h.lesson) + ":" + h.path);
    return paths;
  }

  fs::path m_root;
  ContentsTable m_contents;
};

// Display mode: each search stops at the first hit and the next one goes on after it,
// file by file, then lesson by lesson, until nothing is left.
TEST_F(CourseSearchTest, NextContinuesFileByFileThenLessonByLesson) {
  SearchSettings s;
  s.text = "mean median";
  s.method = kMethodOr;
  const std::vector<std::string> expected = {"0:al1.pag", "0:alexp.ise", "0:almean.exp", "0:almed.fil",
                                             "0:homework/al1.wrk", "1:bemean.exp"};
  std::optional<SearchContinuation> from;
  std::vector<std::string> seen;
  for (int i = 0; i < 10; ++i) {
    const SearchOutcome o = Run(s, from, 1);
    if (o.hits.empty()) {
      EXPECT_FALSE(o.continuation);
      break;
    }
    ASSERT_TRUE(o.continuation);
    EXPECT_FALSE(o.tooMany);
    seen.push_back(Paths(o)[0]);
    from = o.continuation;
  }
  EXPECT_EQ(seen, expected);
  // Collected in one walk, the same hits in the same order.
  EXPECT_EQ(Paths(Run(s)), expected);
}

TEST_F(CourseSearchTest, HitsResolveToTheirActivities) {
  SearchSettings s;
  s.text = "mean median";
  s.method = kMethodOr;
  const SearchOutcome o = Run(s);
  ASSERT_EQ(o.hits.size(), 6u);
  const auto at = [&](std::size_t i) { return o.hits[i].locator; };
  EXPECT_EQ(at(0), ActivityLocator(0, 0, -1));  // al1.pag: the first page
  EXPECT_EQ(at(1), ActivityLocator(0, 1, 1));   // alexp.ise
  EXPECT_EQ(at(2), ActivityLocator(0, 0, 0));   // almean.exp
  EXPECT_EQ(at(3), ActivityLocator(0, 0, 1));   // almed.fil
  EXPECT_EQ(at(4).kind, kKindHomework);
  EXPECT_EQ(at(4).file, std::optional<std::string>("al1.wrk"));
  EXPECT_EQ(at(4).lesson, 0);
  EXPECT_EQ(at(5), ActivityLocator(1, 0, 0));
  EXPECT_EQ(o.hits[4].coursePath, "AL/homework/al1.wrk");
}

// A script's comment and cue lines are not its text.
TEST_F(CourseSearchTest, ScriptTextIsNormalised) {
  SearchSettings s;
  s.text = "centre is the";
  EXPECT_EQ(Paths(Run(s)), std::vector<std::string>{"0:almean.exp"});
  s.text = "median";
  s.types.fill(false);
  s.types[kSearchExpositions] = true;
  EXPECT_EQ(Paths(Run(s)), std::vector<std::string>{"1:bemean.exp"});
}

TEST_F(CourseSearchTest, TranscriptFindsItsMovie) {
  SearchSettings s;
  s.text = "skewness";
  const SearchOutcome o = Run(s);
  ASSERT_EQ(Paths(o), std::vector<std::string>{"0:alpile.mtx"});
  EXPECT_EQ(o.hits[0].locator, ActivityLocator(0, 0, 2));
}

TEST_F(CourseSearchTest, PatternCountsCaseAndDocumentsGoToTheirFirstPart) {
  SearchSettings s;
  s.text = "st.*dev";
  s.regex = true;
  const SearchOutcome o = Run(s);
  ASSERT_EQ(Paths(o), std::vector<std::string>{"0:aldoc02.doc"});
  EXPECT_EQ(o.hits[0].locator, ActivityLocator(0, 1, 0));
  s.caseSensitive = true;
  EXPECT_EQ(Paths(Run(s)), std::vector<std::string>{"0:aldoc02.doc"});
}

TEST_F(CourseSearchTest, TypeAndLessonListsLimitTheWalk) {
  SearchSettings s;
  s.text = "median";
  s.types.fill(false);
  s.types[kSearchHomework] = true;
  EXPECT_EQ(Paths(Run(s)), std::vector<std::string>{"0:homework/al1.wrk"});
  s.types.fill(true);
  s.lessons = {false, true};
  EXPECT_EQ(Paths(Run(s)), std::vector<std::string>{"1:bemean.exp"});
}

TEST_F(CourseSearchTest, EmptyTextFindsNothing) {
  SearchSettings s;
  EXPECT_TRUE(Run(s).hits.empty());
  s.text = "   ";
  s.method = kMethodAnd;
  EXPECT_TRUE(Run(s).hits.empty());
}

TEST_F(CourseSearchTest, CollectingStopsAtTheLimit) {
  const fs::path homework = m_root / "be" / "homework";
  fs::create_directories(homework);
  for (int i = 0; i < 120; ++i) Put(homework / ("h" + std::to_string(1000 + i) + ".wrk"), Container("quartile"));
  SearchSettings s;
  s.text = "quartile";
  SearchOutcome o = Run(s);
  EXPECT_EQ(o.hits.size(), 100u);
  EXPECT_TRUE(o.tooMany);
  EXPECT_EQ(o.hits.back().path, "homework/h1099.wrk");
  fs::remove_all(homework);
  fs::create_directories(homework);
  for (int i = 0; i < 60; ++i) Put(homework / ("h" + std::to_string(1000 + i) + ".wrk"), Container("quartile"));
  o = Run(s);
  EXPECT_EQ(o.hits.size(), 60u);
  EXPECT_FALSE(o.tooMany);
}

TEST_F(CourseSearchTest, CancellingBetweenFilesStopsTheWalk) {
  SearchSettings s;
  s.text = "mean";
  int calls = 0;
  const SearchOutcome o = CourseSearch(m_contents, FolderUnder(m_root)).Run(s, std::nullopt, 100, [&](const SearchProgress&) {
    return ++calls < 3;  // the lesson, its first file, then stop
  });
  EXPECT_TRUE(o.cancelled);
  EXPECT_EQ(Paths(o), std::vector<std::string>{"0:al1.pag"});
}

// A continuation on a file that has gone since still resumes in walk order.
TEST_F(CourseSearchTest, ContinuationOnAMissingFileResumesInOrder) {
  SearchSettings s;
  s.text = "mean median";
  s.method = kMethodOr;
  EXPECT_EQ(Paths(Run(s, SearchContinuation{0, "alf.fil"}, 1)), std::vector<std::string>{"0:almean.exp"});
  EXPECT_EQ(Paths(Run(s, SearchContinuation{0, "homework"}, 1)), std::vector<std::string>{"0:homework/al1.wrk"});
  EXPECT_EQ(Paths(Run(s, SearchContinuation{0, "homework/zz.wrk"}, 1)), std::vector<std::string>{"1:bemean.exp"});
}

TEST(SearchText, ReadingEachKind) {
  ContainerWriter w;
  w.SetText({'a', '\n', '-', 'b', '\r', '\n', 'c'});
  const std::vector<std::uint8_t> container = w.Build();
  EXPECT_EQ(SearchTextOf(container, ".fil"), std::optional<std::string>("a\n-b\r\nc"));
  EXPECT_EQ(SearchTextOf(container, ".scr"), std::optional<std::string>("a c"));
  const std::string plain("\x05\0\0\0 some words", 15);
  const std::vector<std::uint8_t> plainBytes(plain.begin(), plain.end());
  EXPECT_EQ(SearchTextOf(plainBytes, ".mtx"), std::optional<std::string>(plain));
  EXPECT_EQ(SearchTextOf(plainBytes, ".pag"), std::nullopt);  // not a container: no text
  EXPECT_EQ(SearchTextOf({}, ".doc"), std::nullopt);
  EXPECT_EQ(SearchTextOf({}, ".ise"), std::optional<std::string>(""));
  EXPECT_EQ(ReadSearchText("/nonexistent/x.fil", ".fil"), std::nullopt);
}

TEST(SearchText, NamesOfPagesAndDocuments) {
  EXPECT_EQ(PageOfName("ed3.pag"), std::optional<int>(2));
  EXPECT_EQ(PageOfName("ed0.pag"), std::nullopt);
  EXPECT_EQ(PageOfName("x.pag"), std::nullopt);
  EXPECT_EQ(PageOfName(".pag"), std::nullopt);
  EXPECT_EQ(FirstDocumentPart("eddoc07.doc"), std::optional<std::string>("eddoc01.doc"));
  EXPECT_EQ(FirstDocumentPart("ab.doc"), std::optional<std::string>("01.doc"));
  EXPECT_EQ(FirstDocumentPart("b.doc"), std::nullopt);
  EXPECT_EQ(NormaliseScriptText(":a\n+b\n~c\nd\n\ne"), "d  e");
}

TEST(SearchWalkOrder, FolderEntriesComeAtTheFolderNamesPlace) {
  EXPECT_TRUE(WalkAfter("homework.exp", "homework/zz.wrk"));
  EXPECT_TRUE(WalkAfter("homework/b.wrk", "homework/a.wrk"));
  EXPECT_FALSE(WalkAfter("homework/a.wrk", "homework/a.wrk"));
  EXPECT_TRUE(WalkAfter("homework/a.wrk", "homework"));
  EXPECT_FALSE(WalkAfter("alpha.exp", "homework"));
}

}  // namespace
