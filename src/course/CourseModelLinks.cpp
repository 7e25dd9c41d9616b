#include "course/CourseModelLinks.h"

namespace {
CourseModelLinks& Links() {
  static CourseModelLinks links;
  return links;
}
}  // namespace

CourseModelLinks SetCourseModelLinks(CourseModelLinks links) {
  CourseModelLinks previous = std::move(Links());
  Links() = std::move(links);
  return previous;
}

std::optional<std::vector<CourseListEntry>> LinkedBundles() {
  if (!Links().bundles) return std::nullopt;
  return Links().bundles();
}

std::optional<std::vector<CourseListEntry>> LinkedAsteriskSources() {
  if (!Links().asteriskSources) return std::nullopt;
  return Links().asteriskSources();
}

std::optional<CoursePlace> LinkedResolve(std::string_view identifier) {
  if (!Links().resolve) return std::nullopt;
  return Links().resolve(identifier);
}
