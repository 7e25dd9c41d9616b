// A course on disk for launcher tests: a program folder whose "course" folder holds the
// lesson "ed" (folder ED, to exercise case-insensitive names) with one page of
// activities, the program's preferences pointing at it and its contents installed.
#pragma once

#include <filesystem>
#include <string>

#include "course/ContentsTable.h"
#include "course/Preferences.h"
#include "course/Services.h"

namespace launchtest {

// Lesson 0 ("ed"), page 0: 0 edintro.exp, 1 edvars.fil, 2 edpile.mov, 3 notes.final.exp,
// 4 missing.mov; page 1: 0 edhist.exp.
extern const char* const kContents;

struct TestCourse {
  TestCourse();
  std::filesystem::path program;  // the program folder
  std::filesystem::path course;   // program/course
  Preferences prefs;
  ContentsTable contents;
  ScopedService<Preferences> prefsService{&prefs};
  ScopedService<ContentsTable> contentsService{&contents};

  // Writes a file at a path relative to the course folder ("ED/edpile.mov").
  std::filesystem::path Write(const std::string& relative, const std::string& bytes) const;
  std::filesystem::path Copy(const std::string& relative, const std::filesystem::path& from) const;
};

// A 12-byte container header with tool code (most significant byte the first character).
std::string ToolHeader(std::uint32_t code);

}  // namespace launchtest
