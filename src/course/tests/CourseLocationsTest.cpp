#include <gtest/gtest.h>

#include <cstdlib>

#include "TestSupport.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "course/Preferences.h"
#include "course/Services.h"

namespace {

std::string Contents(CourseFile& f) {
  const auto bytes = f.readAll();
  return std::string(bytes.begin(), bytes.end());
}

// Teacher, program and volume folders, each with a course file of the same name that
// says where it lies.
struct Locations {
  std::filesystem::path teacher = kntest::MakeTempDir("teacher");
  std::filesystem::path program = kntest::MakeTempDir("program");
  std::filesystem::path volume = kntest::MakeTempDir("volume");
  Preferences prefs;

  Locations() {
    kntest::WriteFileText(teacher / "both.pag", "teacher");
    kntest::WriteFileText(teacher / "teacher-only.pag", "teacher");
    kntest::WriteFileText(program / "Course" / "both.pag", "program");
    kntest::WriteFileText(program / "Course" / "Pages" / "X.PAG", "program pages");
    kntest::WriteFileText(program / "Course" / "rf" / "Tutorial.ise", "tutorial");
    kntest::WriteFileText(volume / "COURSE" / "both.pag", "volume");
    kntest::WriteFileText(volume / "COURSE" / "volume-only.pag", "volume");
    prefs.SetFolder(Preferences::kTeacherFolder, teacher.string() + "/");
    prefs.SetFolder(Preferences::kProgramFolder, program.string() + "/");
    prefs.SetFolder(Preferences::kCourseVolume, volume.string() + "/");
  }
};

}  // namespace

TEST(CourseLocations, FolderOrderFollowsTheFlags) {
  Locations at;
  ScopedService<Preferences> installed(&at.prefs);
  struct Case {
    const char* name;
    int flags;
    const char* expected;  // nullptr: not found
  };
  const Case cases[] = {
      {"both.pag", 7, "teacher"},
      {"both.pag", 3, "program"},
      {"both.pag", 2, "volume"},
      {"BOTH.PAG", 6, "teacher"},
      {"teacher-only.pag", 3, nullptr},
      {"teacher-only.pag", 4, "teacher"},
      {"volume-only.pag", 1, nullptr},
      {"volume-only.pag", 3, "volume"},
      {"/pages/x.pag", 3, "program pages"},
      {"pages\\X.pag", 1, "program pages"},
      {"..\\program\\Course\\both.pag", 4, nullptr},
      {"", 7, nullptr},
  };
  for (const auto& c : cases) {
    CourseFile f;
    const bool found = OpenCourseFile(f, c.name, c.flags);
    EXPECT_EQ(found, c.expected != nullptr) << c.name << " " << c.flags;
    if (found && c.expected) {
      EXPECT_EQ(Contents(f), c.expected) << c.name << " " << c.flags;
    }
    std::filesystem::path where;
    EXPECT_EQ(FindCourseFile(c.name, c.flags, where), c.expected != nullptr) << c.name << " " << c.flags;
  }
}

TEST(CourseLocations, InvalidSlotsAreSkipped) {
  Locations at;
  at.prefs.SetFolder(Preferences::kProgramFolder, "");
  CourseFile f;
  ASSERT_TRUE(at.prefs.OpenCourseFile(f, "both.pag", 3));
  EXPECT_EQ(Contents(f), "volume");
}

TEST(CourseLocations, FindNamesActivityFileReferences) {
  Locations at;
  std::filesystem::path where;
  ASSERT_TRUE(at.prefs.FindCourseFile(":rf:Tutorial.ise", 3, where));
  EXPECT_EQ(where, at.program / "Course" / "rf" / "Tutorial.ise");
  ASSERT_TRUE(at.prefs.FindCourseFile("rf", 3, where)) << "folders exist too";
  EXPECT_FALSE(at.prefs.FindCourseFile(":rf:Missing.ise", 3, where));
  EXPECT_EQ(where, at.program / "Course" / "rf") << "a failed search leaves outPath alone";

  struct Case {
    const char* name;
    const char* open;
    const char* find;
  };
  const Case names[] = {
      {"/pages/x.pag", "pages\\x.pag", "/pages/x.pag"},
      {"pages/x.pag", "pages/x.pag", "pages/x.pag"},
      {":rf:Tutorial.ise", ":rf:Tutorial.ise", "rf\\Tutorial.ise"},
      {"rf:a:b", "rf:a:b", "rf\\a\\b"},
      {"plain.txt", "plain.txt", "plain.txt"},
  };
  for (const auto& n : names) {
    EXPECT_EQ(OpenCourseName(n.name), n.open);
    EXPECT_EQ(FindCourseName(n.name), n.find);
  }
}

TEST(CourseLocations, Flag8RaisesMissingAndLockedFiles) {
  Locations at;
  CourseFile f;
  try {
    at.prefs.OpenCourseFile(f, "nowhere.pag", kRequireCourseFile);
    FAIL() << "no exception";
  } catch (const CourseFileError& e) {
    EXPECT_EQ(e.kind(), CourseFileError::Kind::NotFound);
    EXPECT_EQ(e.path(), "nowhere.pag");
  }
  std::filesystem::path where;
  EXPECT_THROW(at.prefs.FindCourseFile("nowhere.pag", 11, where), CourseFileError);

  // Another writer holds the program folder's copy.
  CourseFile writer = CourseFile::Open(at.program / "Course" / "both.pag", CourseFile::Mode::ReadWrite);
  try {
    at.prefs.OpenCourseFile(f, "both.pag", 11);
    FAIL() << "no exception";
  } catch (const CourseFileError& e) {
    EXPECT_EQ(e.kind(), CourseFileError::Kind::SharingViolation);
  }
  ASSERT_TRUE(at.prefs.OpenCourseFile(f, "both.pag", 3)) << "without flag 8 the next folder is tried";
  EXPECT_EQ(Contents(f), "volume");
}

TEST(CourseLocations, Flag16OpensForWriting) {
  Locations at;
  CourseFile f;
  ASSERT_TRUE(at.prefs.OpenCourseFile(f, "both.pag", 4 | kOpenReadWrite));
  f.seek(0);
  f.write("T", 1);
  f.close();
  EXPECT_EQ(kntest::ReadFileBytes(at.teacher / "both.pag").front(), 'T');
}

TEST(CourseLocations, WithoutPreferencesOnlyTheCourseFolderIsSearched) {
  ASSERT_EQ(Service<Preferences>(), nullptr);
  const auto own = kntest::MakeTempDir("own");
  kntest::WriteFileText(own / "course" / "Contents.TXT", "g=Group");
  SetExplicitCourseFolder(own);
  CourseFile f;
  EXPECT_TRUE(OpenCourseFile(f, "contents.txt", 11));
  EXPECT_FALSE(OpenCourseFile(f, "contents.txt", 2)) << "the program folder only when flag 1 allows it";
  SetExplicitCourseFolder(std::nullopt);
  EXPECT_FALSE(OpenCourseFile(f, "contents.txt", 3));
}

TEST(CourseLocations, CourseFolderOptionAndVariable) {
  const auto dir = kntest::MakeTempDir("opt");
  const std::string d = dir.string();
  struct Case {
    std::vector<std::string> args;
    bool ok;
    std::vector<std::string> rest;
    bool set;
  };
  const Case cases[] = {
      {{"kestrelon", "--course", d, "a.kns"}, true, {"kestrelon", "a.kns"}, true},
      {{"kestrelon", "maximize", "--course=" + d}, true, {"kestrelon", "maximize"}, true},
      {{"kestrelon", "--courses", d}, true, {"kestrelon", "--courses", d}, false},
      {{"kestrelon", "--course"}, false, {"kestrelon", "--course"}, false},
      {{"kestrelon", "--course", d + "/missing"}, false, {"kestrelon"}, false},
  };
  for (const auto& c : cases) {
    SetExplicitCourseFolder(std::nullopt);
    std::vector<std::string> storage = c.args;
    std::vector<char*> argv;
    for (auto& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(storage.size());
    const auto result = TakeCourseFolderOption(argc, argv.data());
    EXPECT_EQ(result.ok, c.ok) << c.args.back() << result.error;
    EXPECT_EQ(std::vector<std::string>(argv.begin(), argv.begin() + argc), c.rest) << c.args.back();
    EXPECT_EQ(argv[static_cast<std::size_t>(argc)], nullptr);
    EXPECT_EQ(ExplicitCourseFolder().has_value(), c.set) << c.args.back();
    if (c.set) {
      EXPECT_EQ(*ExplicitCourseFolder(), dir);
    }
  }
  SetExplicitCourseFolder(std::nullopt);

  setenv(kCourseFolderVariable, d.c_str(), 1);
  EXPECT_EQ(ExplicitCourseFolder(), dir);
  EXPECT_EQ(CourseRootFolder(), dir);
  setenv(kCourseFolderVariable, (d + "/missing").c_str(), 1);
  EXPECT_FALSE(ExplicitCourseFolder());
  EXPECT_EQ(CourseRootFolder(), ProgramFolder());
  int argc = 1;
  char name[] = "kestrelon";
  char* argv[] = {name, nullptr};
  EXPECT_FALSE(TakeCourseFolderOption(argc, argv).ok);
  unsetenv(kCourseFolderVariable);
  EXPECT_TRUE(TakeCourseFolderOption(argc, argv).ok);
}
