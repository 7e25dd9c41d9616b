// What the configuration needs of the course's contents model: the supplementary-text
// bundles, the asterisk sources and the resolution of activity identifiers. The
// start-up code connects these hooks to the services once they exist. A hook that is
// not connected means "not available": normalisation then leaves the bundle and
// asterisk choices as they are, the dialog offers no bundles or sources, and
// ExpandName cannot name pages.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One {key, value} line of Bundle.txt or asterisk.txt; course bytes.
struct CourseListEntry {
  std::string key;
  std::string value;
};

// Where an activity identifier points: the lesson's display position and the page
// index (-1 when the identifier names the lesson or a lesson-level file).
struct CoursePlace {
  int lesson = -1;
  int page = -1;
};

struct CourseModelLinks {
  // Every entry of the bundle list in order (entry 0 stands for "no bundle").
  std::function<std::vector<CourseListEntry>()> bundles;
  // Every asterisk source in order; source i is excluded by bit i of the preference Asterisks.
  std::function<std::vector<CourseListEntry>()> asteriskSources;
  // The contents' resolution of an activity identifier; none when it names nothing.
  std::function<std::optional<CoursePlace>(std::string_view identifier)> resolve;
};

// Replaces the hooks and returns the previous ones.
CourseModelLinks SetCourseModelLinks(CourseModelLinks links);

// None when the hook is not connected.
std::optional<std::vector<CourseListEntry>> LinkedBundles();
std::optional<std::vector<CourseListEntry>> LinkedAsteriskSources();
std::optional<CoursePlace> LinkedResolve(std::string_view identifier);

// Connects hooks for a scope and restores the previous ones (tests, tools).
class ScopedCourseModelLinks {
 public:
  explicit ScopedCourseModelLinks(CourseModelLinks links) : m_previous(SetCourseModelLinks(std::move(links))) {}
  ~ScopedCourseModelLinks() { SetCourseModelLinks(std::move(m_previous)); }
  ScopedCourseModelLinks(const ScopedCourseModelLinks&) = delete;
  ScopedCourseModelLinks& operator=(const ScopedCourseModelLinks&) = delete;

 private:
  CourseModelLinks m_previous;
};
