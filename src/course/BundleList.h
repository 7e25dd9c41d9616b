// The supplementary texts (textbooks) whose lesson order the course can follow,
// from Bundle.txt: key = the bundle's code (an ordering line of contents.txt
// begins with it in upper case), value = its display name. Entry 0 stands for
// "no bundle" and is never offered for choice.
#pragma once

#include "course/CourseKeyList.h"

class BundleList : public CourseKeyList {
 public:
  static constexpr const char* kFileName = "Bundle.txt";

  // Reads Bundle.txt from the course folders (see CourseKeyList::LoadCourseFile).
  bool Load() { return LoadCourseFile(kFileName); }
  using CourseKeyList::Load;
};
