// What a launch of an activity locator comes to, worked out without any window: the
// activity's file name, its path among the course folders, the handler its extension
// selects, and, once the file has been found, where it is. The launcher carries the plan
// out; `kncourse launch --dry-run` prints it.
//
// Only files inside the course folders are ever handed on. FindLaunchFile opens the file
// through the course file locator (which refuses ".." and treats absolute names as
// course names), then checks that the file it opened, with every symbolic link followed,
// still lies inside one of the course folders. Files for the desktop's open action must
// in addition be plain documents: no execute permission, not a script ("#!"), not a
// program (ELF), not a desktop entry.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "course/ActivityLocator.h"
#include "course/CourseFile.h"
#include "launch/LaunchTable.h"

class ContentsTable;
class CourseFileError;
class Preferences;

struct LaunchPlan {
  std::string fileName;      // empty: the locator names no file, nothing happens
  std::string relativePath;  // File path: lesson folder, subfolder, name
  std::string extension;     // from the first ".", lower-cased
  LaunchRoute route;
  int kind = 0;              // activity kind of the file (0 for ".htm" and unknown names)
  int sound = 0;             // the launch sound of the locator's type
};

// Steps 4 and 5 of a launch, before any file is opened. contents may be null (no course
// contents loaded: only a lesson-level locator's own file can be launched).
LaunchPlan PlanLaunch(const ActivityLocator& locator, const ContentsTable* contents);

// The folders course files are looked for in, as the course file locator searches them
// with flags (teacher folder, program folder's "course", course volume's "course"),
// canonical; folders that do not exist are left out.
std::vector<std::filesystem::path> CourseFolderRoots(const Preferences* prefs, int flags);

// Whether path, with every link followed, lies inside one of roots.
bool IsInsideCourseFolders(const std::filesystem::path& path, const std::vector<std::filesystem::path>& roots);

// Whether the file at path may go to the desktop's open action: a regular file without
// any execute permission that starts like neither a script, a program nor a desktop entry
// (nor has a ".desktop" name). reason says why not.
bool IsPlainDocument(const std::filesystem::path& path, std::string* reason = nullptr);
// What the first bytes of a file show it to be when it is a script, a program or a
// desktop entry ("it is a script"); null for anything else.
const char* ProgramKindOfStart(std::string_view start);

// The flags the launcher searches activity files with.
int LaunchSearchFlags();

// Opens the plan's file among the course folders of prefs (nullptr: the program's
// preferences service). Throws CourseFileError: NotFound when no folder holds it,
// SharingViolation, Access when the file found lies outside the course folders (a link
// leading out of them).
CourseFile FindLaunchFile(const LaunchPlan& plan, const Preferences* prefs);

// The text of message 8546 for a file error's description: its first letter lower-cased,
// "  Perhaps the document is already open." after a sharing violation, at most 259 bytes.
std::string LaunchErrorText(const std::string& description);
// The description of a course file error as the launcher reports it, naming the file:
// "'edpile.mov' was not found.", "A sharing violation occurred while accessing 'x.fil'.".
std::string DescribeLaunchError(const CourseFileError& error, const std::string& fileName);
