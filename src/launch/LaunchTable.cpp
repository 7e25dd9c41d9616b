#include "launch/LaunchTable.h"

#include <array>

#include "course/ActivityKind.h"
#include "course/AsciiCase.h"
#include "course/ResourceIds.h"
#include "course/StringIds.h"

namespace {

struct Row {
  std::string_view extension;
  LaunchRoute route;
};

// The windows of the lesson-level documents, the exercise and the manual page, then the
// special cases. Extensions are those the course's files use, lower-cased.
constexpr std::array<Row, 15> kRoutes = {{
    {".ast", {LaunchHandler::Window, "CAsteriskWnd", 0}},
    {".prj", {LaunchHandler::Window, "CProjectWnd", 0}},
    {".wrk", {LaunchHandler::Window, "CHomeworkWnd", 0}},
    {".lab", {LaunchHandler::Window, "CLabWnd", 0}},
    {".fil", {LaunchHandler::Window, "CQuizWnd", 0}},
    {".doc", {LaunchHandler::Window, "CManualWnd", 0}},
    {".mov", {LaunchHandler::Movie, "CMovieWnd", 0}},
    {".exp", {LaunchHandler::Tool, {}, 0}},
    {".scr", {LaunchHandler::Tool, {}, 0}},
    {".ise", {LaunchHandler::Exploration, {}, 0}},
    {".htm", {LaunchHandler::OpenAction, {}, str::kCannotLaunchBrowser}},
    {".xls", {LaunchHandler::OpenAction, {}, str::kCannotLaunchExcel}},
    {".jmp", {LaunchHandler::OpenAction, {}, str::kCannotLaunchJmp}},
    {".mpj", {LaunchHandler::OpenAction, {}, str::kCannotLaunchMinitab}},
    {".sav", {LaunchHandler::OpenAction, {}, str::kCannotLaunchSpss}},
}};
constexpr Row kSysStat = {".syd", {LaunchHandler::OpenAction, {}, str::kCannotLaunchSysStat}};

// Indexed by activity kind 0 to 17.
constexpr std::array<int, kActivityKindCount> kSounds = {
    0, 0, 0,  // lesson group, lesson, page
    snd::kExposition, snd::kExercise, snd::kExplore, snd::kMovie, snd::kHandsOn, snd::kDocumentation,
    snd::kAsterisk, snd::kProjects, snd::kHomework, snd::kExplore, snd::kOutsideApplication,
    snd::kOutsideApplication, snd::kOutsideApplication, snd::kOutsideApplication, snd::kOutsideApplication,
};

}  // namespace

std::string LaunchExtension(std::string_view fileName) {
  const std::size_t dot = fileName.find('.');
  if (dot == std::string_view::npos) return {};
  return ToAsciiLower(fileName.substr(dot));
}

LaunchRoute RouteForExtension(std::string_view extension) {
  for (const Row& row : kRoutes)
    if (row.extension == extension) return row.route;
  if (extension == kSysStat.extension) return kSysStat.route;
  return {};
}

int LaunchKindOfFile(std::string_view fileName) {
  const std::string ext = LaunchExtension(fileName);
  if (ext.size() < 2) return 0;
  for (int kind = 0; kind < kActivityKindCount; ++kind) {
    const std::string_view known = ActivityKindExtension(kind);
    if (!known.empty() && ext.substr(1) == known) return kind;
  }
  return 0;
}

int LaunchSoundOfKind(int kind) { return IsActivityKind(kind) ? kSounds[static_cast<std::size_t>(kind)] : 0; }

std::string ApplicationName(std::string_view fileName, std::string_view exploreName) {
  if (fileName.size() > 1 && fileName.find(".ise", 1) != std::string_view::npos) return "Tallyframe";
  const int kind = LaunchKindOfFile(fileName);
  if (kind == kKindExploration) return std::string(exploreName);
  return ActivityKindName(kind);
}
