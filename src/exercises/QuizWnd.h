// CQuizWnd: the exercise window, the one window that shows exercise activities (".fil").
// At most one exists; opening another exercise replaces the questions shown, opening the
// same one again (same place in the course and, for a lesson-level exercise, the same
// file) keeps its answers and done marks. It cannot be resized. When every question is
// done the activity is recorded as completed.
#pragma once

#include <optional>
#include <string_view>

#include "course/ActivityLocator.h"
#include "exercises/QuizSession.h"
#include "launch/ActivityWindow.h"
#include "shell/CoreWnd.h"

class CQuizView;

class CQuizWnd : public CStatWnd, public ActivityWindow {
 public:
  static constexpr int kPlacementKey = 5;
  static constexpr int kHelpContext = 26028;
  static constexpr std::string_view kClassName = "CQuizWnd";

  CQuizWnd();
  ~CQuizWnd() override;

  CQuizView* quizView() const { return m_view; }
  QuizSession& session() { return m_session; }

  // ActivityWindow
  std::string_view activityClass() const override { return kClassName; }
  const ActivityLocator& shownActivity() const override { return m_locator; }
  bool OpenActivity(const ActivityLocator& locator, CourseFile file) override;
  std::optional<ActivityLocator> activityLocator() const override {
    return m_loaded ? std::optional<ActivityLocator>(m_locator) : std::nullopt;
  }

  // Whether locator names the exercise already loaded.
  bool IsLoaded(const ActivityLocator& locator) const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FixSize();

  CQuizView* m_view = nullptr;
  QuizSession m_session;
  ActivityLocator m_locator;
  bool m_loaded = false;
};

// Registers the exercise window with the launcher.
void InstallExerciseWindows();
