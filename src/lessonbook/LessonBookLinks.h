// What the Lesson Book hands on to the rest of the program. Each receiver is installed
// by the subsystem that owns it when that subsystem is part of the program; a missing
// one makes the command that needs it show a notice saying so, never fail silently.
//
//   launch             the activity launcher: every activity the learner starts from a
//                      page (icon click, Execute, an asterisk note, the explore file)
//                      goes through it as exactly one locator
//   showTerm           the glossary: a defined term clicked on a page
//   addBookmark        the student record's bookmark list; false when it is full
//   dropLocator        a dragged activity dropped at a screen point (the bookmarks bar,
//                      a folder for a marker file); false when nothing there takes it
//   openLessonWindow   the hypertext windows of a lesson: homework (9094), projects
//                      (9097), labs (9092 when the explore application is "labs")
//   openTool           a tool window for a page's tool: the lesson, the script file and
//                      the tool code of its header
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include <QtCore/QPoint>

class ActivityLocator;

struct LessonBookLinks {
  std::function<void(const ActivityLocator& locator)> launch;
  std::function<void(std::string_view term, std::string_view phrase, std::size_t length)> showTerm;
  std::function<bool(const ActivityLocator& locator)> addBookmark;
  std::function<bool(const ActivityLocator& locator, QPoint globalPos)> dropLocator;
  std::function<void(int command, const ActivityLocator& lesson)> openLessonWindow;
  std::function<void(const ActivityLocator& lesson, const std::filesystem::path& script, std::uint32_t toolCode)>
      openTool;
};

const LessonBookLinks& CurrentLessonBookLinks();

// The one road by which the Lesson Book starts an activity: the locator goes to the
// launcher when one is connected; without one the learner is told, by notice 26401
// naming shownName (UTF-8), that the activity cannot start yet.
void LaunchFromLessonBook(const ActivityLocator& locator, const std::string& shownName);
// Replaces the links and returns the previous ones (start-up code, tests).
LessonBookLinks SetLessonBookLinks(LessonBookLinks links);

class ScopedLessonBookLinks {
 public:
  explicit ScopedLessonBookLinks(LessonBookLinks links) : m_previous(SetLessonBookLinks(std::move(links))) {}
  ~ScopedLessonBookLinks() { SetLessonBookLinks(std::move(m_previous)); }
  ScopedLessonBookLinks(const ScopedLessonBookLinks&) = delete;
  ScopedLessonBookLinks& operator=(const ScopedLessonBookLinks&) = delete;

 private:
  LessonBookLinks m_previous;
};
