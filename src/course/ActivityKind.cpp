#include "course/ActivityKind.h"

#include <array>

#include "course/AsciiCase.h"
#include "course/ProgramResources.h"
#include "course/ResourceIds.h"
#include "course/StringIds.h"

namespace {
// The kind names are string-table texts 7650 + kind (resources/strings/contents.txt).

constexpr std::array<std::string_view, kActivityKindCount> kExtensions = {
    "", "", "pag", "exp", "fil", "ise", "mov", "scr", "doc", "ast", "prj", "wrk", "lab", "xls", "jmp", "mpj", "sav", "syd",
};
}  // namespace

std::string ActivityKindName(int kind) {
  if (!IsActivityKind(kind)) return {};
  return ProgramString(str::kKindLessonGroup + kind);
}

std::string_view ActivityKindExtension(int kind) {
  if (!IsActivityKind(kind)) return {};
  return kExtensions[static_cast<std::size_t>(kind)];
}

std::string_view LessonLevelFolder(int kind) {
  switch (kind) {
    case kKindAsterisk: return "\\asterisk\\";
    case kKindProject: return "\\projects\\";
    case kKindHomework: return "\\homework\\";
    case kKindLab: return "\\labs\\";
    default: return "\\";
  }
}

int KindOfFileName(std::string_view fileName) {
  const auto dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return kKindLessonGroup;
  const std::string_view ext = fileName.substr(dot + 1);
  if (ext.empty()) return kKindLessonGroup;
  for (int kind = 0; kind < kActivityKindCount; ++kind)
    if (!kExtensions[static_cast<std::size_t>(kind)].empty() && EqualNoCase(ext, kExtensions[static_cast<std::size_t>(kind)]))
      return kind;
  return kKindLessonGroup;
}

int ActivityKindIcon(int kind) {
  static constexpr int kIcons[kActivityKindCount] = {
      ico::kLessonGroup, ico::kLesson,   ico::kPage,          ico::kExposition, ico::kExercise, ico::kExploration,
      ico::kMovie,       ico::kHandsOn,  ico::kDocumentation, ico::kAsterisk,   ico::kProject,  ico::kHomework,
      ico::kLab,         ico::kExcel,    ico::kJmp,           ico::kMinitab,    ico::kSpss,     ico::kSysStat};
  return IsActivityKind(kind) ? kIcons[kind] : 0;
}
