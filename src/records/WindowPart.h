// The window part of a student progress file, read back: which window each record opens
// and in what order. The windows framework supplies the actions; the order and the
// meaning of the kinds are fixed here.
#pragma once

#include <functional>
#include <vector>

#include "course/CommandIds.h"
#include "records/ProgressFile.h"

class Preferences;

struct WindowRestoreActions {
  // Hides every visible floating tear-off bar (before any record is looked at).
  std::function<void()> hideFloatingBars;
  // Opens (or reuses) the Lesson Book turned to the locator; returns the window's handle
  // (any non-zero number the other actions understand), 0 when none was opened.
  std::function<int(const ActivityLocator&)> openLessonBook;
  // Floats the bar of kind 7 to 10 with its top-left corner at (x, y) and shows it.
  std::function<int(int kind, int x, int y)> floatBar;
  // Sends a command to the first course window; returns the window opened, or 0.
  std::function<int(int command)> sendCommand;
  // Launches the activity without turning the Lesson Book; the window, or 0 when it could
  // not be launched (the launcher reports why).
  std::function<int(const ActivityLocator&)> launch;
  // Brings a window to the top and activates it.
  std::function<void(int window)> activate;
  // kNotifyToFront to one window.
  std::function<void(int window)> toFront;
};

// An open window or bar as the framework sees it when the file is written.
struct OpenWindow {
  int kind = 0;       // placement key; 0: not remembered
  CourseRect rect;    // where it is now
  ActivityLocator locator = EmptyWindowLocator();
  bool visible = true;
  bool floating = true;  // bars only
};

// The window part to write: the activity windows (in window order, top first) with a
// non-zero kind, then the bars that are visible and floating. Each one's placement is
// stored in preferences under its kind and read back as its record's rectangle, so that
// the file holds what the placement table holds.
std::vector<WindowRecord> CollectWindowPart(const std::vector<OpenWindow>& windows, const std::vector<OpenWindow>& bars,
                                            Preferences& preferences);

// Restores at most the first 64 records (the placement table's size): each rectangle is stored as the saved placement of its kind in
// preferences, then the kind decides: 0 nothing; 1 the Lesson Book at the record's page
// (activity "none"); 7 to 10 a floating bar; 15 and 16 commands 9032 and 9089; any other
// kind launches the activity. Each window opened is activated at once; at the end every
// opened window is sent to the front again, the last opened first.
void RestoreWindowPart(const std::vector<WindowRecord>& records, Preferences& preferences,
                       const WindowRestoreActions& actions);

// What the document needs of the open windows: the window part written with the file,
// and restoring it when one is opened (the Lesson Book, floating bars, activity windows).
class StatsWindowPart {
 public:
  virtual ~StatsWindowPart() = default;
  // The open activity windows (top first) and then the visible floating bars.
  virtual std::vector<WindowRecord> CollectWindows() = 0;
  virtual void RestoreWindows(const std::vector<WindowRecord>& records) = 0;
};

// A window part made of the framework's functions: collect gives the records of the open
// windows, restore the actions RestoreWindowPart carries out on preferences.
class ActionWindowPart : public StatsWindowPart {
 public:
  ActionWindowPart(Preferences& preferences, std::function<std::vector<WindowRecord>()> collect,
                   WindowRestoreActions restore)
      : m_preferences(preferences), m_collect(std::move(collect)), m_restore(std::move(restore)) {}
  std::vector<WindowRecord> CollectWindows() override { return m_collect ? m_collect() : std::vector<WindowRecord>{}; }
  void RestoreWindows(const std::vector<WindowRecord>& records) override {
    RestoreWindowPart(records, m_preferences, m_restore);
  }

 private:
  Preferences& m_preferences;
  std::function<std::vector<WindowRecord>()> m_collect;
  WindowRestoreActions m_restore;
};
