// What the launcher needs of an activity window (exercise, movie, hypertext documents,
// tools): the window class it belongs to (at most one window of each class exists), the
// activity it shows, and the open-activity operation. The window classes derive from
// the course window base and implement this beside it; the launcher finds them with
// dynamic_cast.
#pragma once

#include <string_view>

#include "course/ActivityLocator.h"

class CourseFile;

class ActivityWindow {
 public:
  virtual ~ActivityWindow() = default;
  // "CMovieWnd", "CQuizWnd", ...
  virtual std::string_view activityClass() const = 0;
  // The activity shown (a default locator before the first one).
  virtual const ActivityLocator& shownActivity() const = 0;
  // Shows locator's activity from file (its file found among the course folders). On
  // failure the window has told the learner and is going away; the result is false.
  virtual bool OpenActivity(const ActivityLocator& locator, CourseFile file) = 0;
};
