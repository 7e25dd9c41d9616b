// The Bookmarks tear-off bar (9087): the learner records' bookmark list and its commands
// (CMarkBar) hosted in the frame's tear-off bar, so that it docks, floats, is remembered
// and is shown and hidden like the other bars.
#pragma once

#include "records/MarkBar.h"
#include "shell/TearToolBar.h"

class StudentRecord;

class CBookmarksBar : public CTearToolBar {
 public:
  explicit CBookmarksBar(StudentRecord& record, QWidget* parent = nullptr);

  // What starting a bookmark does; set once by the program before its bars are made.
  static void SetDefaultLaunch(BookmarkLaunch launch);

  CMarkBar* marks() const { return m_marks; }
  void OnCourseNotify(int code, void* data) override;
  // The list's minimum tracking size, 140 by 100.
  QSize minimumSizeHint() const override { return QSize(140, 100); }

 private:
  // Owns the list and the bookmark commands; never shown itself.
  CMarkBar* m_marks;
};
