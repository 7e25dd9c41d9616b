// The fixed toolbars of the main frame: a row of command buttons that docks on any side.
// The buttons are the frame's command actions, so they share their enabling, check marks
// and shortcuts with the menus.
//   CMainToolBar    59392 "Main Toolbar"     Save, Print, Undo, Cut, Copy, Paste, Preferences, context help
//   CNavToolBar      9096 "Navigation Bar"   Previous Lesson, Previous Page, Go To, Next Page, Next Lesson
//   CAccToolBar      9086 "Accessories Bar"  Launch Explore, Homework, Projects, Web, Help Guide, Tool1, Tool2
#pragma once

#include <QtWidgets/QToolBar>
#include <optional>
#include <vector>

#include "shell/CourseNotify.h"
#include "shell/LessonBookLink.h"

class CMainFrame;
class QToolButton;

class CCoreToolBar : public QToolBar, public CourseNotifyTarget {
 public:
  // buttons: command ids left to right, 0 for a separator.
  CCoreToolBar(CMainFrame& frame, int id, int titleId, int helpContextId, const std::vector<int>& buttons);

  int barId() const { return m_id; }
  static constexpr QSize kIconSize{24, 24};

  void OnCourseNotify(int code, void* data) override {}

 protected:
  CMainFrame& m_frame;

 private:
  int m_id;
};

class CMainToolBar : public CCoreToolBar {
 public:
  explicit CMainToolBar(CMainFrame& frame);
};

// Writes the current Lesson Book page ("%d-%d") into its Go To button.
class CNavToolBar : public CCoreToolBar {
 public:
  explicit CNavToolBar(CMainFrame& frame);

  // The page to show; none: the button's own picture.
  void SetPlace(std::optional<LessonBookPlace> place);
  const std::optional<LessonBookPlace>& place() const { return m_place; }
  QToolButton* goToButton() const { return m_goTo; }
  static constexpr QSize kGoToSize{44, 24};

  void OnCourseNotify(int code, void* data) override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void RebuildImage();

  QToolButton* m_goTo = nullptr;
  std::optional<LessonBookPlace> m_place;
};

// Shows the personality's Explore picture on its first button and the current page's
// tools on its last two.
class CAccToolBar : public CCoreToolBar {
 public:
  explicit CAccToolBar(CMainFrame& frame);

  void SetPlace(std::optional<LessonBookPlace> place);
  // The Explore picture ("Explore Icon" of the personality); a null image: the button's own.
  void SetExplorePicture(const QImage& picture);

  void OnCourseNotify(int code, void* data) override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void RebuildImages();

  std::optional<LessonBookPlace> m_place;
  QImage m_explore;
};
