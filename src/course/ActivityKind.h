// Activity kinds: every item of the course (group, lesson, page, activity,
// lesson-level document) has one. File names map to kinds by their extension.
#pragma once

#include <string>
#include <string_view>

enum ActivityKind : int {
  kKindLessonGroup = 0,
  kKindLesson = 1,
  kKindPage = 2,
  kKindExposition = 3,
  kKindExercise = 4,
  kKindExploration = 5,
  kKindMovie = 6,
  kKindHandsOn = 7,
  kKindDocumentation = 8,
  kKindAsterisk = 9,  // 9 to 12: lesson-level, kept in a subfolder of the lesson's folder
  kKindProject = 10,
  kKindHomework = 11,
  kKindLab = 12,
  kKindExcel = 13,  // 13 to 17: documents for outside statistics packages
  kKindJmp = 14,
  kKindMinitab = 15,
  kKindSpss = 16,
  kKindSysStat = 17,
};
constexpr int kActivityKindCount = 18;

constexpr bool IsActivityKind(int kind) { return kind >= 0 && kind < kActivityKindCount; }
constexpr bool IsLessonLevelKind(int kind) { return kind >= kKindAsterisk && kind <= kKindLab; }
constexpr bool IsOutsidePackageKind(int kind) { return kind >= kKindExcel && kind <= kKindSysStat; }

// "Exposition", "Hands-On Activity", ... from the string table; empty for a kind outside 0 to 17.
std::string ActivityKindName(int kind);
// "exp", "scr", ... without the dot; empty for groups, lessons and kinds outside the table.
std::string_view ActivityKindExtension(int kind);
// "\asterisk\", "\projects\", "\homework\", "\labs\" for kinds 9 to 12, else "\".
std::string_view LessonLevelFolder(int kind);
// The program icon (5000 to 5035) that stands for a kind in the Lesson Book and the table
// of contents; 0 for a kind outside 0 to 17.
int ActivityKindIcon(int kind);

// The kind of a file name by the text after its last "." (ASCII case ignored);
// 0 when there is no dot or the extension is not in the table.
int KindOfFileName(std::string_view fileName);
