// A small course on disk for the Lesson Book tests: three lessons (codes "ab", "cd",
// "ef", lesson base 1) with page files made here, a teacher folder, preferences pointing
// at both, and the contents and asterisk sources installed as services.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "course/AsteriskSourceList.h"
#include "course/ContentsTable.h"
#include "course/Preferences.h"
#include "course/Services.h"

namespace lbtest {

// A 32 by 32 PNG filled with one colour (opaque).
std::vector<std::uint8_t> SquarePng(std::uint32_t argb = 0xFF3060C0, int size = 32);

// A page file: markup plus an "icon" picture (SquarePng) and any extra pictures.
std::vector<std::uint8_t> PageFile(const std::string& markup);

// The first page of lesson "ab": an introduction, then two activity entries, each with an
// explanation paragraph above it; the first takes 0 minutes, the second 5 and carries an
// asterisk marker for "note1.ast" in its explanation.
extern const char* const kFirstPageMarkup;

struct CourseFixture {
  CourseFixture();
  ~CourseFixture();
  // Writes course/<code>/<name>; text: the bytes as given.
  void WriteCourseFile(const std::string& relative, const std::vector<std::uint8_t>& bytes) const;
  void WriteTeacherFile(const std::string& relative, const std::string& text) const;

  std::filesystem::path root;     // the program folder (holds course/)
  std::filesystem::path teacher;  // the teacher folder
  Preferences prefs;
  ContentsTable contents;
  AsteriskSourceList sources;
  ScopedService<Preferences> prefsService{&prefs};
  ScopedService<ContentsTable> contentsService{&contents};
  ScopedService<AsteriskSourceList> sourcesService{&sources};
};

}  // namespace lbtest
