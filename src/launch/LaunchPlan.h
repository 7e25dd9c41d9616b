// What a launch of an activity locator comes to, worked out without any window: the
// activity's file name, its path among the course folders, the handler its extension
// selects, and, once the file has been found, where it is. The launcher carries the plan
// out; `kncourse launch --dry-run` prints it.
//
// Only files inside the course folders are ever handed on. FindLaunchFile opens the file
// through the course file locator (which refuses ".." and treats absolute names as
// course names), then checks that the file it opened, with every symbolic link followed,
// still lies inside one of the course folders. What goes to the desktop or to a program
// passes the program's one gate as well (course/OutsideGate.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "course/ActivityLocator.h"
#include "course/CourseFile.h"
#include "course/OutsideGate.h"
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

// Whether the handler opens one of the program's own windows; the desktop's open action
// and the companion application are outside (a restored window record never starts them).
bool OpensCourseWindow(LaunchHandler handler);

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
