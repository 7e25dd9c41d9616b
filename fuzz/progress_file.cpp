// Student progress files. A file that reads must write back to a file that reads to the
// same record; one that does not read must throw CourseFileError and nothing else.
//
// Its window records are then restored over a course on disc the way the program does,
// with a stub launcher that aborts on anything a file from elsewhere must not cause:
// a teacher folder taken from the file, more records than the placement table holds, a
// file opened outside the course folders, anything handed to the desktop or started.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>

#include "RecordsFuzzing.h"
#include "course/CourseFileError.h"
#include "course/OutsideGate.h"
#include "launch/LaunchPlan.h"
#include "records/ProgressFile.h"
#include "records/WindowPart.h"

namespace fs = std::filesystem;

namespace {

// A program folder whose course holds a file of every handler, a teacher folder beside it
// that is never accepted, and a file outside both.
struct FuzzCourse {
  fs::path top;
  Preferences prefs;
  std::vector<fs::path> roots;

  FuzzCourse() {
    char pattern[] = "/tmp/kn-fuzz-progress-XXXXXX";
    top = ::mkdtemp(pattern);
    const fs::path course = top / "program" / "course";
    for (const char* name : {"ch1/intro.exp", "ch1/quiz.fil", "ch1/film.mov", "ch1/page.htm", "ch1/data.xls",
                             "ch1/explore.ise", "Tallyframe KN.exe", "hw.wrk", "note.ast"})
      Write(course / name, "x");
    for (const char* name : {"ch1/intro.exp", "ch1/page.htm", "evil.htm", "evil.ise"}) Write(top / "teacher" / name, "t");
    Write(top / "outside.htm", "o");
    prefs.SetFolder(Preferences::kProgramFolder, (top / "program").string() + "/");
    roots = AcceptedCourseFolders(&prefs);
    // Nothing may reach the desktop or start while windows are restored.
    SetDocumentOpener([](const QString&) -> bool { std::abort(); });
    SetProgramStarter([](const std::string&, const std::vector<std::string>&, int*) -> bool { std::abort(); });
  }
  static void Write(const fs::path& path, const char* text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
  }
};

FuzzCourse& Course() {
  static FuzzCourse course;
  return course;
}

// What the launcher does for a restored record, up to the point where a window would be
// given the file: only the program's own windows, only files inside the course folders.
int StubLaunch(const ActivityLocator& locator, Preferences& prefs) {
  const LaunchPlan plan = PlanLaunch(locator, &FuzzContents());
  if (plan.fileName.empty() || !OpensCourseWindow(plan.route.handler)) return 0;
  try {
    CourseFile file = FindLaunchFile(plan, &prefs);
    if (!IsInsideFolders(file.path(), Course().roots)) std::abort();
    return 1;
  } catch (const CourseFileError&) {
    return 0;
  }
}

void Restore(const ProgressData& d) {
  // The file's teacher folder is offered to the learner, never taken by the read.
  if (d.preferences.teacherFolder().valid) std::abort();
  Preferences prefs = Course().prefs;
  int launches = 0;
  WindowRestoreActions a;
  a.openLessonBook = [](const ActivityLocator&) { return 1; };
  a.floatBar = [](int, int, int) { return 2; };
  a.sendCommand = [](int) { return 0; };
  a.launch = [&](const ActivityLocator& l) {
    ++launches;
    return StubLaunch(l, prefs);
  };
  RestoreWindowPart(d.windows, prefs, a);
  if (launches > Preferences::kWindowSlots) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const ContentsTable* contents : {static_cast<const ContentsTable*>(nullptr), &FuzzContents()}) {
    ProgressReadOptions o;
    o.contents = contents;
    o.basePreferences = &Course().prefs;
    ProgressData d;
    try {
      d = ReadProgressFile(std::span<const std::uint8_t>(data, size), o);
    } catch (const CourseFileError&) {
      continue;
    }
    if (d.learner.completions().size() > 999 || d.learner.bookmarkCount() > 999 || d.windows.size() > 999) std::abort();
    const auto bytes = WriteProgressFile(d.learner, d.preferences, d.windows);
    ProgressReadOptions back;
    back.basePreferences = &Course().prefs;
    const ProgressData again = ReadProgressFile(bytes, back);
    if (again.learner.name() != d.learner.name() || again.learner.completions() != d.learner.completions() ||
        again.learner.bookmarks() != d.learner.bookmarks() || again.windows != d.windows ||
        !again.preferences.Equal(d.preferences))
      std::abort();
    Restore(d);
  }
  return 0;
}
