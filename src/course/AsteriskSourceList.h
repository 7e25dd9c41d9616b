// Asterisk sources, from asterisk.txt: supplementary material attached to
// activities by file-name prefix (key), with a display name (value). The
// learner can exclude sources; bit i of the preference Asterisks excludes source i.
#pragma once

#include <cstdint>

#include "course/CourseKeyList.h"

class AsteriskSourceList : public CourseKeyList {
 public:
  static constexpr const char* kFileName = "asterisk.txt";

  // Reads asterisk.txt from the course folders (see CourseKeyList::LoadCourseFile).
  bool Load() { return LoadCourseFile(kFileName); }
  using CourseKeyList::Load;

  // True when the file belongs to a source the learner has not excluded; false
  // when no source claims it. Sources past the 16 bits of the mask are always included.
  bool IsIncluded(std::string_view fileName, std::uint16_t excluded) const;
  // The same with the learner's current preference.
  bool IsIncluded(std::string_view fileName) const;
};
