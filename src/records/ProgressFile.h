// The student progress file (".kns" by default), in the course stream:
//
//   string        the learner's name
//   integer N     completed activities (at most 999), then N x (lesson, page, activity) bytes
//   integer M     bookmarks (at most 999), then M x activity locator
//   preferences   the preferences block (Preferences::Serialize)
//   integer W     window records (at most 999), then W x {integer kind, rectangle, locator}
//
// Reading is all or nothing: the whole file is decoded into a ProgressData first and
// only a complete one is applied to the program's record and preferences, so a damaged
// or truncated file changes nothing.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "course/ActivityLocator.h"
#include "course/CourseRect.h"
#include "course/Preferences.h"
#include "records/StudentRecord.h"

class ContentsTable;

// Window kinds with a meaning of their own in the window part; every other non-zero
// kind is an activity window, reopened by launching its activity.
enum ProgressWindowKind : int {
  kWindowIgnored = 0,
  kWindowLessonBook = 1,
  kWindowFirstBar = 7,  // the four tear-off bars, 7 to 10
  kWindowLastBar = 10,
  kWindowAssistant = 15,
  kWindowDatasets = 16,
};

struct WindowRecord {
  std::int16_t kind = 0;    // the window's placement key
  CourseRect rect;          // its saved placement
  ActivityLocator locator;  // what it shows, or EmptyWindowLocator()
  bool operator==(const WindowRecord&) const = default;
};

// The locator of a window that shows no activity: lesson and page 255, activity -1.
ActivityLocator EmptyWindowLocator();

struct ProgressData {
  StudentRecord learner;     // name, completions, bookmarks (no hook connected)
  bool hasSettings = false;  // false when the preferences and windows were skipped
  Preferences preferences;   // as read: normalised and marked changed, teacher folder not taken
  std::string teacherFolder; // the teacher folder the file names (empty: none), to offer the learner
  std::vector<WindowRecord> windows;
};

struct ProgressReadOptions {
  // Ctrl and Shift held while opening: only the learner part is read.
  bool skipSettings = false;
  // Completion marks of activities it does not hold are dropped (see StudentRecord).
  const ContentsTable* contents = nullptr;
  // The record the block is read over: the preferences block leaves the fields it does
  // not carry (the program and temporary folders, window entries it does not name) as
  // they are here. Null: a default record.
  const Preferences* basePreferences = nullptr;
  std::string label;  // names the file in errors
};

// Throws CourseFileError (Format, with the offset) for a damaged file and CourseStreamEnd
// (also a Format error) for one that ends early.
ProgressData ReadProgressFile(std::span<const std::uint8_t> bytes, const ProgressReadOptions& options);

// Throws CourseFileError (Format) when the record holds more than 999 completions, which
// no reader would accept.
std::vector<std::uint8_t> WriteProgressFile(const StudentRecord& learner, const Preferences& preferences,
                                            const std::vector<WindowRecord>& windows);
