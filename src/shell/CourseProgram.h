// What the subsystems built on the window framework ask of the running program. The
// application object that assembles the program implements it and registers itself for
// its lifetime; subsystem tests run without one, so callers test Instance() for null.
#pragma once

#include <vector>

class ActivityLocator;
class CMainFrame;
class CStatsDoc;
class CStatsDocTemplate;
class QWidget;

class CourseProgram {
 public:
  // The running program, or null.
  static CourseProgram* Instance();

  virtual CMainFrame* frame() const = 0;
  // The Welcome window while it exists, or null.
  virtual QWidget* welcomeWindow() const = 0;
  // The template of student progress files (made at start-up); null before.
  virtual CStatsDocTemplate* docTemplate() const = 0;
  virtual CStatsDoc* document() const = 0;
  // Closes the document (the Lesson Book closed): the record is reset.
  virtual void CloseDocument() = 0;
  // Asked before the Lesson Book closes: offers to save work that is not on disc. False
  // when the learner chose to keep the book open (or the save failed).
  virtual bool SaveModified() = 0;
  // Activities that finished while the Lesson Book was not active; the Lesson Book
  // applies and empties it when it is activated.
  virtual std::vector<ActivityLocator>& completedQueue() = 0;

 protected:
  CourseProgram() = default;
  ~CourseProgram() = default;
  static void Register(CourseProgram* program);
  static void Unregister(CourseProgram* program);
};
