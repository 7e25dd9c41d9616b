#include "exposition/ScriptEnvironment.h"

#include <chrono>

#include "course/ProgramResources.h"
#include "course/Services.h"
#include "course/StringIds.h"

namespace {
}

std::string ScriptCourseName() {
  if (const ScriptCourseInfo* info = Service<ScriptCourseInfo>()) return info->ApplicationName();
  return ProgramString(str::kDefaultApplication);
}

std::string ScriptBundleName() {
  if (const ScriptCourseInfo* info = Service<ScriptCourseInfo>()) return info->CurrentBundleName();
  return {};
}

std::int64_t SystemMilliseconds() {
  // steady_clock is the monotonic clock, which on Linux counts from boot.
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
