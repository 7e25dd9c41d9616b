// CPageWnd: the Lesson Book window, the frame of the student progress document. It
// holds the page view, knows which page of the course is shown, turns pages (GoTo) with
// their sounds and animation, runs the navigation commands (9101 to 9106, Go To), the
// accessory commands of the current lesson (9092 explore, 9094 homework, 9097 projects,
// 9098 and 9099 the page's tools, 9100 web) and Copy, applies the completion marks of
// activities that finished elsewhere, and when it closes, closes the activity windows
// and the learner's document with it. Only one Lesson Book is open at a time.
//
// Placement key 1, timer 125 ms, help contexts 5028 and 26024.
#pragma once

#include <optional>

#include "course/ActivityLocator.h"
#include "course/CommandIds.h"
#include "shell/CoreWnd.h"
#include "shell/LessonBookLink.h"

class CPageView;

class CPageWnd : public CStatWnd, public LessonBookLink {
 public:
  static constexpr int kPlacementKey = 1;
  static constexpr int kTimerInterval = 125;  // ms
  static constexpr int kHelpContext = 5028;

  explicit CPageWnd(QWidget* parent = nullptr);
  ~CPageWnd() override;

  CPageView* pageView() const { return m_view; }
  // The page shown (activity -1); lesson -1 before the first turn.
  const ActivityLocator& current() const { return m_current; }
  // The page shown before the last turn as lesson x 256 + page; -1: none.
  int previousPage() const { return m_previous; }

  // Turns to the locator's page and selects its activity. An invalid locator is ignored
  // unless forced; a forced turn also selects the activity's explanation and reloads the
  // page. Returns whether the book shows the locator's page afterwards.
  bool GoTo(const ActivityLocator& locator, bool animate, bool force) override;
  // A locator shown from elsewhere (bookmarks, index, markers, the shell): mark 255 turns
  // without animation and selects the activity with its explanation; any other turns
  // animated. Lesson-level locators go to the launcher instead.
  void ShowLocator(const ActivityLocator& locator);

  // The Go To dialog's work: the page the text names, or the invalid-page notice.
  // Returns whether the book turned.
  bool GoToText(const std::string& text);

  // The page shown (activity -1), which a progress file keeps for the book; none before
  // the first turn.
  std::optional<ActivityLocator> activityLocator() const override;

  // ---- LessonBookLink ----
  LessonBookPlace CurrentPlace() const override;
  QRect BarTabRect(int barId) const override;
  void OnChildActivate() override;

  // ---- commands and notifications ----
  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;
  void OnCourseNotify(int code, void* data) override;

 protected:
  void OnTimer() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void UpdateTitle();
  void Navigate(int command);
  void ShowGoToDialog();
  void LaunchExplore();
  void OpenLessonWindow(int command);
  void OpenTool(int slot);
  void OpenWeb();
  void Copy();
  ActivityLocator LessonLocator() const;

  CPageView* m_view = nullptr;
  ActivityLocator m_current;
  int m_previous = -1;
  std::string m_lessonCode;  // the code of the lesson shown, to find it again when the order changes
};
