// Where hypertext meets the rest of the program: the settings it lays out with,
// what its first pass asks of the course, and what its windows hand on (a
// defined term to the glossary, a bookmark to the student record, an activity
// to the launcher). Only this file's functions consult program-wide services,
// and each behaves sensibly when a service is absent.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "hypertext/HyperFirstPass.h"
#include "hypertext/ParagraphLayout.h"

class ActivityLocator;

// The preference FontSize (points, 8 to 24; default 12), the personality's
// "Lesson Font" (default: none, Times New Roman) and "Link Color" (default
// #2222ff), for a device of vertical resolution dpiY.
HyperStyle CurrentHyperStyle(int dpiY);

// The course's answers for a window showing window's activity: bundle names
// from the bundle list, placeholder expansion by the personality, and source
// buttons looked up in the window's lesson folder for its kind.
HyperSourceLinks CourseSourceLinks(const ActivityLocator& window);

// Where a source button's target lies: a file of the window's lesson folder for
// its kind, or a course folder for a reference ending in ":". None when missing.
std::optional<std::filesystem::path> FindHyperSource(const ActivityLocator& window, std::string_view target);

// The equation renderer that "math" elements of hypertext views, Lesson Book pages and
// the glossary are handed to (HyperSourceLinks::renderEquation); empty until the
// program connects one, and then the element's text stands in the line.
using EquationRenderer = std::function<std::unique_ptr<Picture>(std::string_view markup, int fontSize)>;
const EquationRenderer& CurrentEquationRenderer();
// Replaces the renderer and returns the previous one (start-up code, tests).
EquationRenderer SetEquationRenderer(EquationRenderer renderer);

// What hypertext windows hand on. A missing function means the receiver is not
// part of the program yet: the command it serves is disabled.
struct HyperWindowLinks {
  // The glossary's Show term: the term as drawn, its context phrase and the
  // phrase's length in bytes (course bytes).
  std::function<void(std::string_view term, std::string_view phrase, std::size_t length)> showTerm;
  // Adds a bookmark for the locator; false when the bookmark list is full.
  std::function<bool(const ActivityLocator& locator)> addBookmark;
  // Starts (or brings forward) the activity a locator names.
  std::function<void(const ActivityLocator& locator)> launch;
  // Opens the Lesson Book at the locator's page.
  std::function<void(const ActivityLocator& locator)> showInLessonBook;
};

const HyperWindowLinks& CurrentHyperWindowLinks();
// Replaces the links and returns the previous ones (start-up code, tests).
HyperWindowLinks SetHyperWindowLinks(HyperWindowLinks links);

class ScopedHyperWindowLinks {
 public:
  explicit ScopedHyperWindowLinks(HyperWindowLinks links) : m_previous(SetHyperWindowLinks(std::move(links))) {}
  ~ScopedHyperWindowLinks() { SetHyperWindowLinks(std::move(m_previous)); }
  ScopedHyperWindowLinks(const ScopedHyperWindowLinks&) = delete;
  ScopedHyperWindowLinks& operator=(const ScopedHyperWindowLinks&) = delete;

 private:
  HyperWindowLinks m_previous;
};
