// Marker files (".kna"): a few bytes of text naming one activity of the course, usually
// handed to the program by a web browser. Opening one launches that activity.
//
// A marker comes from the web: the only thing it can do is name an activity of the
// installed course. Text that is anything else (absolute paths, "..", encoded or control
// characters, shell syntax, a name that resolves to a file outside the course folders) is
// refused as a corrupted marker, and nothing is opened or read on its behalf.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "course/ActivityLocator.h"

class ContentsTable;
class Preferences;

inline constexpr std::size_t kMaxMarkerBytes = 259;  // a file of 260 bytes or more is corrupted

// PATH of a command "[open("PATH")]" of at least 15 characters (the characters between
// the first 7 and the last 3); none for any other command.
std::optional<std::string> ParseOpenCommand(std::string_view command);

// The activity identifier a marker's text stands for: trailing line breaks and spaces
// are dropped; a text written with backslashes ("lesson5\act.exp") has its first
// backslash turned into ":" and ":" put in front (":lesson5:act.exp"). None when the
// text is not a plain identifier: empty, control or NUL bytes, "/", "%", a ":" anywhere
// but in the identifier's own places, a drive letter, "." or ".." components, a
// component starting with "-", or any byte outside letters, digits, space, ".", "_",
// "-" and the upper half of Windows-1252.
std::optional<std::string> MarkerIdentifier(std::string_view text);

// Whether every copy of the locator's file found in roots stays inside its root once
// links are followed. A file that exists nowhere passes (the launcher reports it).
bool StaysInCourseFolders(const ActivityLocator& locator, const ContentsTable& contents,
                          const std::vector<std::filesystem::path>& roots);

// What the marker opener needs of the running program.
class MarkerHost {
 public:
  virtual ~MarkerHost() = default;
  // A student progress file is open (the Lesson Book window exists).
  virtual bool ProgressFileOpen() const = 0;
  virtual const ContentsTable& Contents() const = 0;
  virtual std::vector<std::filesystem::path> CourseFolders() const = 0;
  // Brings the main window forward, then launches the activity in the locate mode, which
  // turns the Lesson Book to it.
  virtual void ActivateAndLocate(const ActivityLocator& locator) = 0;
};

// The host for the running program: the contents and course folders from the program's
// services; the Lesson Book test and the launch handed over by the window code.
class ProgramMarkerHost : public MarkerHost {
 public:
  bool ProgressFileOpen() const override { return progressFileOpen && progressFileOpen(); }
  const ContentsTable& Contents() const override;
  std::vector<std::filesystem::path> CourseFolders() const override;
  void ActivateAndLocate(const ActivityLocator& locator) override {
    if (activateAndLocate) activateAndLocate(locator);
  }

  std::function<bool()> progressFileOpen;
  std::function<void(const ActivityLocator&)> activateAndLocate;
};

enum class MarkerOutcome {
  Launched,
  NotOpenCommand,  // 8514 with the command
  BookmarkFile,    // 8502
  NotMarker,       // 8514 with PATH
  NoProgressFile,  // 8549, marker deleted
  CannotOpen,      // 8514 with PATH, marker deleted
  Corrupted,       // 8547
  Missing,         // 8548
};

struct MarkerResult {
  MarkerOutcome outcome = MarkerOutcome::NotOpenCommand;
  bool deleted = false;
};

// Carries out an open request that reached the running program, reporting through
// ShowNotice. Used markers are deleted unless read-only; a path that is not a regular
// file (a link, a FIFO, a folder) is reported as corrupted and left alone.
MarkerResult OpenMarker(std::string_view command, MarkerHost& host);
