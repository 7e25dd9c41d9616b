// What scripts read from outside the view: the course's application name
// (`course`), the current supplementary-text bundle (`bundle`) and the system
// clocks (`seconds`, `ticks`).
#pragma once

#include <cstdint>
#include <string>

// Supplied by the application once the course configuration and contents are
// loaded, installed as the service ScriptCourseInfo. Texts are course bytes.
class ScriptCourseInfo {
 public:
  virtual ~ScriptCourseInfo() = default;
  virtual std::string ApplicationName() const = 0;
  virtual std::string CurrentBundleName() const = 0;
};

// The installed ApplicationName(), else the program's default name (string 7500).
std::string ScriptCourseName();
// The installed CurrentBundleName(), else empty (no bundle chosen).
std::string ScriptBundleName();

// Milliseconds since the system started (a monotonic clock).
std::int64_t SystemMilliseconds();
