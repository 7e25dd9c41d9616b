#include "launch/Launcher.h"

#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <array>
#include <map>

#include "audio/SoundOutput.h"
#include "audio/SoundService.h"
#include "course/AsciiCase.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "course/ToolWindowClass.h"
#include "launch/ActivityWindow.h"
#include "launch/LaunchPlan.h"
#include "launch/LaunchTable.h"
#include "launch/SoundWait.h"
#include "records/StudentRecord.h"
#include "shell/CourseProgram.h"
#include "shell/LessonBookLink.h"
#include "shell/MainFrame.h"
#include "shell/WindowTools.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint8_t kSelectOnlyMark = 255;
constexpr std::string_view kPlainExpositionWnd = "CExpoWnd";

std::map<std::string, ActivityWindowMaker, std::less<>>& Makers() {
  static std::map<std::string, ActivityWindowMaker, std::less<>> makers;
  return makers;
}
LessonBookTurnHook& TurnHook() {
  static LessonBookTurnHook hook;
  return hook;
}

// The course windows of the main frame's window area, front to back; a window that has
// been closed (hidden on its way out) is no longer one of them.
std::vector<QMdiSubWindow*> WindowsFrontToBack() {
  std::vector<QMdiSubWindow*> out;
  CMainFrame* frame = CMainFrame::Instance();
  if (!frame || !frame->mdiArea()) return out;
  const auto list = frame->mdiArea()->subWindowList(QMdiArea::StackingOrder);
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (!(*it)->isHidden()) out.push_back(*it);
  return out;
}

bool SameFile(const std::optional<std::string>& a, const std::optional<std::string>& b) {
  if (!a || !b) return !a && !b;
  return EqualNoCase(*a, *b);
}

bool ShowsActivity(const ActivityLocator& shown, const ActivityLocator& r) {
  return shown.lesson == r.lesson && shown.page == r.page && shown.activity == r.activity && shown.kind == r.kind &&
         SameFile(shown.file, r.file);
}

// Step 1: the activity window already showing r; of several, the last found front to back.
QWidget* FindWindowShowing(const ActivityLocator& r) {
  QWidget* found = nullptr;
  for (QMdiSubWindow* w : WindowsFrontToBack()) {
    if (dynamic_cast<LessonBookLink*>(w)) continue;
    auto* activity = dynamic_cast<ActivityWindow*>(w);
    if (activity && ShowsActivity(activity->shownActivity(), r)) found = w;
  }
  return found;
}

void ReportFileError(const CourseFileError& e, const std::string& fileName) {
  ShowNotice(str::kLaunchFailed, LaunchErrorText(DescribeLaunchError(e, fileName)));
}

QWidget* OpenInWindow(std::string_view className, const ActivityLocator& r, CourseFile file) {
  QWidget* window = FindActivityWindow(className);
  if (!window) {
    const auto maker = Makers().find(className);
    if (maker == Makers().end() || !maker->second) {
      ShowNotice(str::kWindowNotInProgram, className);
      return nullptr;
    }
    window = maker->second();
  }
  auto* activity = dynamic_cast<ActivityWindow*>(window);
  if (!activity) return nullptr;
  if (!activity->OpenActivity(r, std::move(file))) return nullptr;
  BringToFront(window);
  return window;
}

// Tool files: the type code in the container header chooses the window.
QWidget* OpenToolFile(const ActivityLocator& r, CourseFile file) {
  std::array<std::uint8_t, 12> header{};
  const std::size_t got = file.read(header.data(), header.size());
  file.seek(0);
  const auto code = ToolCodeOfScript(std::span<const std::uint8_t>(header.data(), got));
  std::string_view cls = ToolWindowClassName(code ? ToolWindowClass(*code) : ToolWindow::Expo);
  // Tools whose window this program does not have yet run as plain expositions.
  if (!HasActivityWindowClass(cls) && HasActivityWindowClass(kPlainExpositionWnd)) cls = kPlainExpositionWnd;
  return OpenInWindow(cls, r, std::move(file));
}

void StartExploration(const ActivityLocator& r, CourseFile file) {
  const Preferences* prefs = Service<Preferences>();
  const auto app = FindCompanionApplication(prefs);
  std::error_code ec;
  const fs::path exploration = fs::canonical(file.path(), ec);
  file.close();
  if (!app) {
    ShowNotice(str::kCompanionMissing);
    return;
  }
  int error = 0;
  std::string why;
  switch (StartOutsideProgram(*app, {exploration.string()}, AcceptedCourseFolders(prefs, LaunchSearchFlags()), &error,
                              &why)) {
    case HandOff::Done:
      MarkActivityCompleted(r);
      return;
    case HandOff::Refused:
      ShowNotice(str::kLaunchFailed, LaunchErrorText("'" + app->filename().string() + "' cannot be started: " + why + "."));
      return;
    case HandOff::Failed:
      ShowNotice(str::kCompanionFailed, std::to_string(error));
      return;
  }
}

void OpenDocumentOfPlan(const LaunchPlan& plan, CourseFile file) {
  const fs::path path = file.path();
  file.close();
  std::string why;
  switch (OpenOutsideDocument(path, AcceptedCourseFolders(Service<Preferences>(), LaunchSearchFlags()), &why)) {
    case HandOff::Done:
      return;
    case HandOff::Refused:
      ShowNotice(str::kLaunchFailed, LaunchErrorText("'" + plan.fileName + "' cannot be opened: " + why + "."));
      return;
    case HandOff::Failed:
      ShowNotice(plan.route.failureMessage);
      return;
  }
}

}  // namespace

namespace {

// windowsOnly: only the program's own windows may open (a restored window record);
// outside documents, web pages and the companion application need the learner's click.
QWidget* LaunchActivity(const ActivityLocator& r, int mode, bool windowsOnly) {
  QWidget* found = nullptr;
  if (mode == kLaunchOpen || r.kind != 0) {
    found = FindWindowShowing(r);
  } else if (QWidget* book = FindLessonBook(); book && TurnHook()) {
    TurnHook()(book, r, r.mark != kSelectOnlyMark);
    found = book;
  }
  if (found) {
    BringToFront(found);
    return found;
  }

  const LaunchPlan plan = PlanLaunch(r, Service<ContentsTable>());
  if (plan.fileName.empty()) return nullptr;
  if (windowsOnly && !OpensCourseWindow(plan.route.handler)) return nullptr;
  // The file is looked for before its extension is looked at: a missing file is reported
  // whatever kind it would have been.
  CourseFile file;
  try {
    file = FindLaunchFile(plan, nullptr);
  } catch (const CourseFileError& e) {
    ReportFileError(e, plan.fileName);
    return nullptr;
  }

  switch (plan.route.handler) {
    case LaunchHandler::Window:
      return OpenInWindow(plan.route.windowClass, r, std::move(file));
    case LaunchHandler::Movie:
      WaitForSoundToEnd(SoundOutputWaitHooks(Service<SoundOutput>()));
      return OpenInWindow(plan.route.windowClass, r, std::move(file));
    case LaunchHandler::Tool:
      try {
        return OpenToolFile(r, std::move(file));
      } catch (const CourseFileError& e) {
        ReportFileError(e, plan.fileName);
        return nullptr;
      }
    case LaunchHandler::Exploration:
      StartExploration(r, std::move(file));
      return nullptr;
    case LaunchHandler::OpenAction:
      OpenDocumentOfPlan(plan, std::move(file));
      return nullptr;
    case LaunchHandler::None:
      break;
  }
  return nullptr;
}

}  // namespace

QWidget* Launch(const ActivityLocator& locator, int mode) { return LaunchActivity(locator, mode, false); }

QWidget* LaunchCourseWindow(const ActivityLocator& locator) { return LaunchActivity(locator, kLaunchOpen, true); }

void PlayLaunchSound(const ActivityLocator& locator) {
  const ContentsTable* contents = Service<ContentsTable>();
  const int type = contents ? locator.Kind(*contents) : PlanLaunch(locator, nullptr).kind;
  if (const int sound = LaunchSoundOfKind(type)) PlayProgramSound(sound);
}

std::string FilePath(const ActivityLocator& locator, std::string_view fileName) {
  const ContentsTable* contents = Service<ContentsTable>();
  if (!contents) return std::string(fileName);
  return locator.Path(*contents, fileName);
}

std::string ApplicationName(std::string_view fileName) {
  return ApplicationName(fileName, PersonalityString(kKeyExploreName));
}

void RegisterActivityWindowClass(std::string_view className, ActivityWindowMaker make) {
  Makers()[std::string(className)] = std::move(make);
}

bool HasActivityWindowClass(std::string_view className) {
  const auto it = Makers().find(className);
  return it != Makers().end() && it->second;
}

QWidget* FindActivityWindow(std::string_view className) {
  for (QMdiSubWindow* w : WindowsFrontToBack()) {
    auto* activity = dynamic_cast<ActivityWindow*>(w);
    if (activity && activity->activityClass() == className) return w;
  }
  return nullptr;
}

bool MarkActivityCompleted(const ActivityLocator& locator) {
  StudentRecord* record = Service<StudentRecord>();
  if (!record || record->SetCompleted(locator, true) != 1) return false;
  if (CourseProgram* app = CourseProgram::Instance()) app->completedQueue().push_back(locator);
  return true;
}

void SetLessonBookTurnHook(LessonBookTurnHook hook) { TurnHook() = std::move(hook); }

