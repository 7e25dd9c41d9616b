// The launcher's decisions without windows: which handler a file name selects, what a
// locator's file and path are, what a failure says, and that nothing outside the course
// folders (nor any program) is ever handed on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "LaunchTestSupport.h"
#include "TestSupport.h"
#include "course/ActivityKind.h"
#include "course/CourseFileError.h"
#include "course/ResourceIds.h"
#include "course/StringIds.h"
#include "launch/CompanionApp.h"
#include "launch/LaunchPlan.h"
#include "launch/LaunchTable.h"
#include "launch/SoundWait.h"

namespace fs = std::filesystem;
using launchtest::TestCourse;

TEST(LaunchTable, TheExtensionRunsFromTheFirstDotAndSelectsTheHandler) {
  struct Case {
    const char* name;
    const char* extension;
    LaunchHandler handler;
    const char* windowClass;
    int message;
  };
  const Case cases[] = {
      {"notes.final.exp", ".final.exp", LaunchHandler::None, "", 0},
      {"EdPile.MOV", ".mov", LaunchHandler::Movie, "CMovieWnd", 0},
      {"quiz.fil", ".fil", LaunchHandler::Window, "CQuizWnd", 0},
      {"a.ast", ".ast", LaunchHandler::Window, "CAsteriskWnd", 0},
      {"hw.WRK", ".wrk", LaunchHandler::Window, "CHomeworkWnd", 0},
      {"m.doc", ".doc", LaunchHandler::Window, "CManualWnd", 0},
      {"x.scr", ".scr", LaunchHandler::Tool, "", 0},
      {"Tutorial.ise", ".ise", LaunchHandler::Exploration, "", 0},
      {"page.htm", ".htm", LaunchHandler::OpenAction, "", str::kCannotLaunchBrowser},
      {"page.html", ".html", LaunchHandler::None, "", 0},
      {"d.xls", ".xls", LaunchHandler::OpenAction, "", str::kCannotLaunchExcel},
      {"d.jmp", ".jmp", LaunchHandler::OpenAction, "", str::kCannotLaunchJmp},
      {"d.mpj", ".mpj", LaunchHandler::OpenAction, "", str::kCannotLaunchMinitab},
      {"d.sav", ".sav", LaunchHandler::OpenAction, "", str::kCannotLaunchSpss},
      {"d.syd", ".syd", LaunchHandler::OpenAction, "", str::kCannotLaunchSysStat},
      {"run.sh", ".sh", LaunchHandler::None, "", 0},
      {"viewer.desktop", ".desktop", LaunchHandler::None, "", 0},
      {"noextension", "", LaunchHandler::None, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LaunchExtension(c.name), c.extension);
    const LaunchRoute r = RouteForFile(c.name);
    EXPECT_EQ(r.handler, c.handler);
    EXPECT_EQ(r.windowClass, c.windowClass);
    EXPECT_EQ(r.failureMessage, c.message);
  }
}

TEST(LaunchTable, KindsSoundsAndApplicationNames) {
  EXPECT_EQ(LaunchKindOfFile("a.mov"), kKindMovie);
  EXPECT_EQ(LaunchKindOfFile("a.final.exp"), 0);
  EXPECT_EQ(LaunchKindOfFile("a.htm"), 0);
  EXPECT_EQ(LaunchKindOfFile("A.SYD"), kKindSysStat);
  const std::pair<int, int> sounds[] = {{0, 0},
                                        {2, 0},
                                        {3, snd::kExposition},
                                        {4, snd::kExercise},
                                        {5, snd::kExplore},
                                        {6, snd::kMovie},
                                        {7, snd::kHandsOn},
                                        {8, snd::kDocumentation},
                                        {9, snd::kAsterisk},
                                        {10, snd::kProjects},
                                        {11, snd::kHomework},
                                        {12, snd::kExplore},
                                        {13, snd::kOutsideApplication},
                                        {17, snd::kOutsideApplication},
                                        {18, 0},
                                        {-1, 0}};
  for (auto [kind, sound] : sounds) EXPECT_EQ(LaunchSoundOfKind(kind), sound) << kind;
  EXPECT_EQ(ApplicationName("rf:Tutorial.ise", "Explorer"), "Tallyframe");
  // ".ise" must come after the first character, and is compared with case.
  EXPECT_EQ(ApplicationName(".ise", "Explorer"), "Explorer");
  EXPECT_EQ(ApplicationName("Tutorial.ISE", "Explorer"), "Explorer");
  EXPECT_EQ(ApplicationName("data.xls", "Explorer"), ActivityKindName(kKindExcel));
}

TEST(LaunchPlan, FileNameAndPathComeFromTheContentsOrTheLocatorsOwnFile) {
  TestCourse t;
  struct Case {
    ActivityLocator locator;
    const char* file;
    const char* path;
    LaunchHandler handler;
    int sound;
  };
  ActivityLocator homework(0, -1, -1);
  homework.kind = kKindHomework;
  homework.file = "hw1.wrk";
  ActivityLocator outside(30, -1, -1);  // no such lesson: the file alone
  outside.kind = kKindExcel;
  outside.file = "data.xls";
  ActivityLocator pageOnly(0, 0, -1);
  ActivityLocator pastLastActivity(0, 0, 7);
  const Case cases[] = {
      {ActivityLocator(0, 0, 2), "edpile.mov", "ed\\edpile.mov", LaunchHandler::Movie, snd::kMovie},
      {ActivityLocator(0, 0, 1), "edvars.fil", "ed\\edvars.fil", LaunchHandler::Window, snd::kExercise},
      {ActivityLocator(0, 0, 3), "notes.final.exp", "ed\\notes.final.exp", LaunchHandler::None, snd::kExposition},
      {homework, "hw1.wrk", "ed\\homework\\hw1.wrk", LaunchHandler::Window, snd::kHomework},
      {outside, "data.xls", "data.xls", LaunchHandler::OpenAction, snd::kOutsideApplication},
      {pageOnly, "", "", LaunchHandler::None, 0},
      {pastLastActivity, "", "", LaunchHandler::None, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const LaunchPlan plan = PlanLaunch(c.locator, &t.contents);
    EXPECT_EQ(plan.fileName, c.file);
    EXPECT_EQ(plan.relativePath, c.path);
    EXPECT_EQ(plan.route.handler, c.handler);
    if (*c.file) {
      EXPECT_EQ(plan.sound, c.sound);
    }
  }
}

TEST(LaunchPlan, ErrorTextStartsLowerCaseExplainsSharingAndIsCut) {
  EXPECT_EQ(LaunchErrorText("'edpile.mov' was not found."), "'edpile.mov' was not found.");
  EXPECT_EQ(LaunchErrorText("A sharing violation occurred while accessing 'x.fil'."),
            "a sharing violation occurred while accessing 'x.fil'.  Perhaps the document is already open.");
  EXPECT_EQ(LaunchErrorText(""), "unknown error");
  EXPECT_EQ(LaunchErrorText(std::string(400, 'A')), "a" + std::string(258, 'A'));
  const CourseFileError shared(CourseFileError::Kind::SharingViolation, "/c/x.fil", "sharing violation");
  EXPECT_EQ(DescribeLaunchError(shared, "x.fil"), "A sharing violation occurred while accessing 'x.fil'.");
  const CourseFileError missing(CourseFileError::Kind::NotFound, "x", "file not found");
  EXPECT_EQ(LaunchErrorText(DescribeLaunchError(missing, "edpile.mov")), "'edpile.mov' was not found.");
}

TEST(LaunchPlan, FindsTheFileInTheCourseFoldersWithoutRegardToCase) {
  TestCourse t;
  const fs::path movie = t.Write("ED/EdPile.MOV", "movie");
  const LaunchPlan plan = PlanLaunch(ActivityLocator(0, 0, 2), &t.contents);
  CourseFile file = FindLaunchFile(plan, nullptr);
  EXPECT_EQ(fs::canonical(file.path()), fs::canonical(movie));

  const LaunchPlan lost = PlanLaunch(ActivityLocator(0, 0, 4), &t.contents);
  try {
    FindLaunchFile(lost, nullptr);
    ADD_FAILURE() << "a missing file was found";
  } catch (const CourseFileError& e) {
    EXPECT_EQ(e.kind(), CourseFileError::Kind::NotFound);
  }
}

TEST(LaunchPlan, HostileFileNamesReachNothingOutsideTheCourseFolders) {
  TestCourse t;
  const fs::path outside = t.program / "secret.htm";
  kntest::WriteFileText(outside, "<p>secret</p>");
  const fs::path elsewhere = kntest::MakeTempDir("elsewhere") / "target.htm";
  kntest::WriteFileText(elsewhere, "<p>elsewhere</p>");
  fs::create_directory_symlink(elsewhere.parent_path(), t.course / "ED" / "linked");
  fs::create_symlink(elsewhere, t.course / "ED" / "jump.htm");
  fs::create_symlink(outside, t.course / "up.htm");

  using Kind = CourseFileError::Kind;
  const std::pair<const char*, Kind> names[] = {
      {"..\\secret.htm", Kind::NotFound},       {"ed\\..\\..\\secret.htm", Kind::NotFound},
      {"../secret.htm", Kind::NotFound},         {outside.c_str(), Kind::NotFound},
      {":..:secret.htm", Kind::NotFound},        {"ed/./../../secret.htm", Kind::NotFound},
      // Links are followed by the file system; what they lead to is then refused.
      {"ed\\jump.htm", Kind::Access},            {"ed\\linked\\target.htm", Kind::Access},
      {"up.htm", Kind::Access},
  };
  for (const auto& [name, expected] : names) {
    SCOPED_TRACE(name);
    ActivityLocator r(40, -1, -1);  // beyond the lessons: the name is the whole path
    r.kind = kKindExcel;
    r.file = name;
    const LaunchPlan plan = PlanLaunch(r, &t.contents);
    try {
      CourseFile file = FindLaunchFile(plan, nullptr);
      ADD_FAILURE() << "opened " << file.path();
    } catch (const CourseFileError& e) {
      EXPECT_EQ(e.kind(), expected);
    }
  }
}

TEST(LaunchPlan, OnlyPlainDocumentsGoToTheDesktop) {
  const fs::path dir = kntest::MakeTempDir("docs");
  struct Case {
    const char* name;
    std::string bytes;
    bool executable;
    bool plain;
  };
  const Case cases[] = {
      {"page.htm", "<html><body>Hello</body></html>", false, true},
      {"data.xls", std::string("\xd0\xcf\x11\xe0", 4) + "sheet", false, true},
      {"empty.sav", "", false, true},
      {"run.htm", "<html></html>", true, false},
      {"script.htm", "#!/bin/sh\nrm -rf ~\n", false, false},
      {"prog.xls", std::string("\x7f" "ELF\x02\x01\x01", 7), false, false},
      {"entry.htm", "# comment\n\n[Desktop Entry]\nExec=sh -c evil\n", false, false},
      {"viewer.desktop", "<html></html>", false, false},
      {"VIEWER.DESKTOP", "<html></html>", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = dir / c.name;
    kntest::WriteFileText(path, c.bytes);
    if (c.executable) fs::permissions(path, fs::perms::owner_exec, fs::perm_options::add);
    std::string why;
    EXPECT_EQ(IsPlainDocument(path, &why), c.plain) << why;
    if (!c.plain) {
      EXPECT_FALSE(why.empty());
    }
  }
  EXPECT_FALSE(IsPlainDocument(dir));
  EXPECT_FALSE(IsPlainDocument(dir / "absent.htm"));
}

TEST(SoundWait, AMovieWaitsForTheSoundToEndButNeverMoreThanThreeSeconds) {
  struct Case {
    std::int64_t soundEndsAt;  // ms after the launch; -1: never
    std::int64_t waited;
  };
  for (const Case c : {Case{-1, 3000}, Case{1200, 1200}, Case{0, 0}, Case{5000, 3000}}) {
    SCOPED_TRACE(c.soundEndsAt);
    std::int64_t clock = 10'000;
    int pumps = 0;
    SoundWaitHooks hooks;
    hooks.now = [&] { return clock; };
    hooks.busy = [&] { return c.soundEndsAt < 0 || clock - 10'000 < c.soundEndsAt; };
    hooks.pump = [&] {
      ++pumps;
      clock += 10;
    };
    EXPECT_EQ(WaitForSoundToEnd(hooks), c.waited);
    EXPECT_EQ(pumps, c.waited / 10);
  }
  // Without a sound output nothing is busy.
  EXPECT_EQ(WaitForSoundToEnd(SoundOutputWaitHooks(nullptr)), 0);
}

TEST(CompanionApp, FoundUnderEitherNameInTheCourseFolders) {
  TestCourse t;
  EXPECT_FALSE(FindCompanionApplication(&t.prefs));
  const fs::path plain = t.Write("Tallyframe", "#!/bin/sh\n");
  auto found = FindCompanionApplication(&t.prefs);
  ASSERT_TRUE(found);
  EXPECT_EQ(fs::canonical(*found), fs::canonical(plain));
  // The course's own name comes first.
  const fs::path named = t.Write("TALLYFRAME KN.EXE", "MZ");
  found = FindCompanionApplication(&t.prefs);
  ASSERT_TRUE(found);
  EXPECT_EQ(fs::canonical(*found), fs::canonical(named));
  // A folder of that name is not a program.
  fs::remove(plain);
  fs::remove(named);
  fs::create_directories(t.course / "Tallyframe.exe");
  EXPECT_FALSE(FindCompanionApplication(&t.prefs));
}

TEST(CompanionApp, StartedWithAnArgumentListNeverThroughAShell) {
  const fs::path dir = kntest::MakeTempDir("companion");
  const fs::path out = dir / "args.txt";
  const fs::path program = dir / "Tallyframe";
  kntest::WriteFileText(program, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + out.string() +
                                     ".part\"\nmv \"" + out.string() + ".part\" \"" + out.string() + "\"\n");
  fs::permissions(program, fs::perms::owner_all);
  const std::string exploration = (dir / "my data $(touch pwned); ls.ise").string();
  int error = 0;
  ASSERT_TRUE(StartDetachedProgram(program.string(), {exploration}, &error)) << error;
  for (int i = 0; i < 500 && !fs::exists(out); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(fs::exists(out));
  std::ifstream in(out);
  std::string line, all;
  int lines = 0;
  while (std::getline(in, line)) {
    all = line;
    ++lines;
  }
  EXPECT_EQ(lines, 1);
  EXPECT_EQ(all, exploration);
  EXPECT_FALSE(fs::exists(dir / "pwned"));
  EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));

  error = 0;
  EXPECT_FALSE(StartDetachedProgram((dir / "absent").string(), {}, &error));
  EXPECT_NE(error, 0);
}
