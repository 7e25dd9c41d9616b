#include <gtest/gtest.h>
#include <sys/stat.h>

#include "RecordsTestSupport.h"
#include "TestSupport.h"
#include "course/Notice.h"
#include "course/StringIds.h"
#include "records/MarkerFile.h"

namespace {

class FakeHost : public MarkerHost {
 public:
  explicit FakeHost(std::filesystem::path courseFolder) : m_folder(std::move(courseFolder)) {}
  bool ProgressFileOpen() const override { return open; }
  const ContentsTable& Contents() const override { return kntest::RecordsContents(); }
  std::vector<std::filesystem::path> CourseFolders() const override { return {m_folder}; }
  void ActivateAndLocate(const ActivityLocator& l) override { launched.push_back(l); }

  bool open = true;
  std::vector<ActivityLocator> launched;

 private:
  std::filesystem::path m_folder;
};

// A course folder with the files of RecordsContents, a folder of downloads beside it,
// and a secret outside both.
struct Scene {
  std::filesystem::path root = kntest::MakeTempDir("marker");
  std::filesystem::path course = root / "course";
  std::filesystem::path downloads = root / "downloads";
  FakeHost host{course};
  NoticeRecorder notices;

  Scene() {
    std::filesystem::create_directories(course / "ch1");
    std::filesystem::create_directories(course / "CH2");
    std::filesystem::create_directories(downloads);
    for (const char* f : {"ch1/intro.exp", "ch1/Quiz.fil", "ch1/film.mov"}) kntest::WriteFileText(course / f, "x");
    kntest::WriteFileText(root / "secret.txt", "secret");
  }
  std::filesystem::path Marker(const std::string& text, const std::string& name = "m.kna") {
    kntest::WriteFileBytes(downloads / name, {text.begin(), text.end()});
    return downloads / name;
  }
  MarkerResult Open(const std::filesystem::path& path) { return OpenMarker("[open(\"" + path.string() + "\")]", host); }
};

TEST(MarkerCommand, OpenCommandGivesThePath) {
  EXPECT_EQ(ParseOpenCommand("[open(\"/a/b.kna\")]"), "/a/b.kna");
  EXPECT_EQ(ParseOpenCommand("[OPEN(\"x.kna\")]"), "x.kna");
  for (const char* bad : {"", "[open(\"x.kn\")]", "[open(\"/a/b.kna\")", "open(\"/a/b.kna\")]", "[print(\"/a/b.kna\")]",
                          "[open('/a/b.kna')]"})
    EXPECT_FALSE(ParseOpenCommand(bad)) << bad;
}

TEST(MarkerText, ConvertsBackslashFormsAndKeepsPlainOnes) {
  struct Case {
    const char* text;
    const char* identifier;
  } cases[] = {
      {"lesson5\\act.exp", ":lesson5:act.exp"},
      {":lesson5:act.exp", ":lesson5:act.exp"},
      {"TFDoc01.doc", "TFDoc01.doc"},
      {"ch1\\intro.exp\r\n", ":ch1:intro.exp"},
      {"ch1\\intro.exp  \n", ":ch1:intro.exp"},
      {"ch1\\sub\\x.exp", ":ch1:sub\\x.exp"},
      {"\xC9tude\\caf\xE9.exp", ":\xC9tude:caf\xE9.exp"},
  };
  for (const Case& k : cases) EXPECT_EQ(MarkerIdentifier(k.text), k.identifier) << k.text;
}

TEST(MarkerOpen, ValidMarkersLaunchTheirActivityAndAreDeleted) {
  struct Case {
    const char* text;
    int lesson, page, activity;
  } cases[] = {
      {"ch1\\intro.exp", 0, 0, 0},     {":CH1:quiz.fil", 0, 0, 1},  {"film.mov", 0, 1, 0},
      {"ch1\\intro.exp\r\n", 0, 0, 0}, {":ch1:ch12.pag", 0, 1, -1}, {":ch2:hw1.wrk", 1, -1, -1},
  };
  for (const Case& k : cases) {
    Scene s;
    const auto marker = s.Marker(k.text);
    const MarkerResult r = s.Open(marker);
    EXPECT_EQ(r.outcome, MarkerOutcome::Launched) << k.text;
    ASSERT_EQ(s.host.launched.size(), 1u) << k.text;
    EXPECT_EQ(s.host.launched[0].lesson, k.lesson);
    EXPECT_EQ(s.host.launched[0].page, k.page);
    EXPECT_EQ(s.host.launched[0].activity, k.activity);
    EXPECT_TRUE(r.deleted);
    EXPECT_FALSE(std::filesystem::exists(marker));
    EXPECT_TRUE(s.notices.notices().empty());
  }
}

TEST(MarkerOpen, MessagesOfTheOtherOutcomes) {
  Scene s;
  EXPECT_EQ(OpenMarker("[close()]", s.host).outcome, MarkerOutcome::NotOpenCommand);
  EXPECT_TRUE(s.notices.sawText("Cannot execute OLE command '[close()]'."));

  const auto bookmarks = s.Marker("x", "Bookmarks.MRK");
  EXPECT_EQ(s.Open(bookmarks).outcome, MarkerOutcome::BookmarkFile);
  EXPECT_TRUE(s.notices.sawId(str::kBookmarkFileLaunched));
  EXPECT_TRUE(std::filesystem::exists(bookmarks));

  const auto text = s.Marker("x", "notes.txt");
  EXPECT_EQ(s.Open(text).outcome, MarkerOutcome::NotMarker);
  EXPECT_TRUE(s.notices.sawText("'" + text.string() + "'"));

  EXPECT_EQ(s.Open(s.downloads / "gone.kna").outcome, MarkerOutcome::CannotOpen);

  EXPECT_EQ(s.Open(s.Marker("missing.exp")).outcome, MarkerOutcome::Missing);
  EXPECT_TRUE(s.notices.sawId(str::kMarkerTargetMissing));

  s.host.open = false;
  const auto early = s.Marker("ch1\\intro.exp", "Early.KNA");
  const MarkerResult r = s.Open(early);
  EXPECT_EQ(r.outcome, MarkerOutcome::NoProgressFile);
  EXPECT_TRUE(s.notices.sawId(str::kNoProgressFile));
  EXPECT_FALSE(std::filesystem::exists(early));
  EXPECT_TRUE(s.host.launched.empty());
}

// Whatever the outcome, a read-only marker stays where it is.
TEST(MarkerOpen, ReadOnlyMarkerIsKept) {
  struct Case {
    const char* text;
    bool progressFileOpen;
    MarkerOutcome outcome;
  } cases[] = {
      {"ch1\\intro.exp", true, MarkerOutcome::Launched},
      {"ch1\\intro.exp", false, MarkerOutcome::NoProgressFile},
      {"missing.exp", true, MarkerOutcome::Missing},
      {"../../etc/passwd", true, MarkerOutcome::Corrupted},
  };
  for (const Case& k : cases) {
    Scene s;
    s.host.open = k.progressFileOpen;
    const auto marker = s.Marker(k.text);
    ::chmod(marker.c_str(), 0444);
    const MarkerResult r = s.Open(marker);
    EXPECT_EQ(r.outcome, k.outcome) << k.text;
    EXPECT_FALSE(r.deleted) << k.text;
    EXPECT_TRUE(std::filesystem::exists(marker)) << k.text;
  }
}

// Every one of these is refused as corrupted: nothing launched, nothing read outside.
TEST(MarkerOpen, HostileMarkersLaunchNothing) {
  const std::vector<std::string> hostile = {
      "../../etc/passwd",
      "..\\..\\etc\\passwd",
      ":..:..:etc:passwd",
      ":ch1:..:..:secret.txt",
      "ch1\\.\\intro.exp",
      "...\\intro.exp",
      "/etc/passwd",
      "/ch1/intro.exp",
      "C:\\Windows\\system.ini",
      "c:intro.exp",
      "\\\\server\\share\\intro.exp",
      "%2e%2e\\%2e%2e\\etc\\passwd",
      "..%2fetc%2fpasswd",
      "ch1\\intro%2eexp",
      std::string(":ch1:intro.exp\0.txt", 19),
      std::string("\0", 1),
      "ch1\\intro.exp\nch1\\quiz.fil",
      ":ch1:intro.exp\r\nrm -rf /",
      "ch1\\intro.exp\tx",
      "\x1b[2Jch1\\intro.exp",
      "ch1\\intro.exp\x7f",
      "-rf",
      "--help",
      "ch1\\-intro.exp",
      ":-ch1:intro.exp",
      "ch1\\intro.exp; rm -rf ~",
      "ch1\\intro.exp && reboot",
      "ch1\\`id`.exp",
      "ch1\\$(id).exp",
      "ch1\\intro.exp | cat",
      "ch1\\*.exp",
      "ch1\\intro?.exp",
      "ch1\\<script>.exp",
      "'ch1\\intro.exp'",
      "\"ch1\\intro.exp\"",
      "~/intro.exp",
      "file:///etc/passwd",
      "http://example.org/intro.exp",
      "",
      "\r\n",
      std::string(259, 'a'),
      std::string(260, 'a'),
      std::string(1 << 20, 'a'),
  };
  ASSERT_GE(hostile.size(), 30u);
  for (const std::string& text : hostile) {
    Scene s;
    const MarkerResult r = s.Open(s.Marker(text));
    EXPECT_EQ(r.outcome, text == std::string(259, 'a') ? MarkerOutcome::Missing : MarkerOutcome::Corrupted)
        << "'" << text.substr(0, 60) << "'";
    EXPECT_TRUE(s.host.launched.empty());
    EXPECT_TRUE(s.notices.sawId(text == std::string(259, 'a') ? str::kMarkerTargetMissing : str::kMarkerCorrupted));
  }
}

TEST(MarkerOpen, LinksAndSpecialFilesAreRefused) {
  {
    // An activity of the course whose file is a link out of the course folder.
    Scene s;
    std::filesystem::create_symlink(s.root / "secret.txt", s.course / "CH2" / "act.exp");
    EXPECT_EQ(s.Open(s.Marker("ch2\\act.exp")).outcome, MarkerOutcome::Corrupted);
    EXPECT_TRUE(s.host.launched.empty());
  }
  {
    // A lesson folder that is a link out of the course.
    Scene s;
    std::filesystem::remove_all(s.course / "CH2");
    std::filesystem::create_directories(s.root / "elsewhere");
    kntest::WriteFileText(s.root / "elsewhere" / "act.exp", "x");
    std::filesystem::create_directory_symlink(s.root / "elsewhere", s.course / "ch2");
    EXPECT_EQ(s.Open(s.Marker("ch2\\act.exp")).outcome, MarkerOutcome::Corrupted);
  }
  {
    // A link inside the course is fine.
    Scene s;
    std::filesystem::create_symlink(s.course / "ch1" / "intro.exp", s.course / "CH2" / "act.exp");
    EXPECT_EQ(s.Open(s.Marker("ch2\\act.exp")).outcome, MarkerOutcome::Launched);
  }
  {
    // The marker itself a link to a valid marker: not a file a browser delivered.
    Scene s;
    const auto real = s.Marker("ch1\\intro.exp", "real.txt");
    std::filesystem::create_symlink(real, s.downloads / "link.kna");
    EXPECT_EQ(s.Open(s.downloads / "link.kna").outcome, MarkerOutcome::Corrupted);
    EXPECT_TRUE(s.host.launched.empty());
    EXPECT_TRUE(std::filesystem::exists(real));
  }
  {
    // A FIFO would block a plain read for good.
    Scene s;
    ASSERT_EQ(::mkfifo((s.downloads / "pipe.kna").c_str(), 0600), 0);
    EXPECT_EQ(s.Open(s.downloads / "pipe.kna").outcome, MarkerOutcome::Corrupted);
    std::filesystem::create_directory(s.downloads / "dir.kna");
    EXPECT_EQ(s.Open(s.downloads / "dir.kna").outcome, MarkerOutcome::Corrupted);
    EXPECT_TRUE(std::filesystem::exists(s.downloads / "dir.kna"));
  }
}

}  // namespace
