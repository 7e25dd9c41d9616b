// kncourse launch --dry-run: what the player's launcher makes of an activity identifier
// in a course: the file, where it is found, and what would open it. Nothing is opened.
#include <array>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "Kncourse.h"
#include "course/ActivityKind.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CoursePath.h"
#include "course/Preferences.h"
#include "course/ToolWindowClass.h"
#include "launch/CompanionApp.h"
#include "launch/LaunchPlan.h"

namespace {

using kncourse::Args;
using kncourse::Show;

const char* HandlerName(LaunchHandler h) {
  switch (h) {
    case LaunchHandler::None: return "nothing (no handler for this extension)";
    case LaunchHandler::Window: return "window";
    case LaunchHandler::Movie: return "movie window";
    case LaunchHandler::Tool: return "tool window";
    case LaunchHandler::Exploration: return "companion application";
    case LaunchHandler::OpenAction: return "the desktop's open action";
  }
  return "";
}

}  // namespace

namespace kncourse {

int LaunchDryRun(Args args) {
  if (!kncourse::TakeSwitch(args, "dry-run")) kncourse::BadUsage("only --dry-run is supported");
  if (args.size() != 2) kncourse::BadUsage("expected ROOT and ID");
  const std::filesystem::path root(args[0]);
  const auto contentsPath = ResolveCoursePath(root, "course\\contents.txt");
  if (!contentsPath) return kncourse::Fail("no course/contents.txt in " + root.string());
  ContentsTable contents;
  try {
    const auto bytes = CourseFile::Open(*contentsPath).readAll();
    contents.Load(std::string(bytes.begin(), bytes.end()), 1, 0, nullptr);
  } catch (const CourseFileError& e) {
    return kncourse::Fail(e.what());
  }
  const auto locator = contents.Resolve(args[1]);
  if (!locator) {
    std::puts("not found");
    return 1;
  }
  Preferences prefs;
  prefs.SetFolder(Preferences::kProgramFolder, std::filesystem::absolute(root).string() + "/");

  const LaunchPlan plan = PlanLaunch(*locator, &contents);
  std::cout << "activity: " << Show(locator->Describe(contents)) << "\n";
  if (plan.fileName.empty()) {
    std::cout << "file: none (nothing happens)\n";
    return 1;
  }
  std::cout << "file: " << Show(plan.fileName) << "\n"
            << "path: " << Show(plan.relativePath) << "\n"
            << "extension: " << plan.extension << "\n"
            << "sound: " << plan.sound << "\n"
            << "handler: " << HandlerName(plan.route.handler);
  if (!plan.route.windowClass.empty()) std::cout << " " << plan.route.windowClass;
  std::cout << "\n";
  if (plan.route.handler == LaunchHandler::None) return 0;
  try {
    CourseFile file = FindLaunchFile(plan, &prefs);
    const auto found = std::filesystem::canonical(file.path());
    std::cout << "found: " << found.string() << "\n";
    if (plan.route.handler == LaunchHandler::Tool) {
      std::array<std::uint8_t, 12> header{};
      const std::size_t got = file.read(header.data(), header.size());
      const auto code = ToolCodeOfScript(std::span<const std::uint8_t>(header.data(), got));
      std::cout << "window: " << ToolWindowClassName(code ? ToolWindowClass(*code) : ToolWindow::Expo) << "\n";
    } else if (plan.route.handler == LaunchHandler::OpenAction) {
      std::string why;
      if (!IsPlainDocument(found, &why)) {
        std::cout << "refused: " << why << "\n";
        return 1;
      }
    } else if (plan.route.handler == LaunchHandler::Exploration) {
      const auto app = FindCompanionApplication(&prefs);
      std::cout << "application: " << (app ? app->string() : std::string("missing")) << "\n";
    }
  } catch (const CourseFileError& e) {
    std::cout << "error: " << LaunchErrorText(DescribeLaunchError(e, plan.fileName)) << "\n";
    return 1;
  }
  return 0;
}

}  // namespace kncourse
