// The accessory commands of the Lesson Book, for the lesson shown: the explore file or
// the labs (9092), homework (9094), projects (9097), the page's tools (9098, 9099) and the
// lesson's web page (9100).

#include "audio/SoundService.h"
#include "course/ActivityKind.h"
#include "course/CommandIds.h"
#include "course/ContentsServices.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/OutsideGate.h"
#include "course/ProgramResources.h"
#include "course/ResourceIds.h"
#include "course/StringIds.h"
#include "course/ToolWindowClass.h"
#include "lessonbook/LessonBookLinks.h"
#include "lessonbook/PageAccessories.h"
#include "lessonbook/PageTools.h"
#include "lessonbook/PageView.h"
#include "lessonbook/PageWnd.h"

namespace {

// Through the program's gate: a course document, nothing else, goes to the desktop.
void OpenByDesktop(const std::filesystem::path& path) {
  if (OpenOutsideDocument(path, AcceptedCourseFolders(nullptr, kSearchCourse)) != HandOff::Done)
    ShowNotice(str::kCannotOpen, path.string());
}

std::string FileNameOf(std::string_view courseName) {
  const std::size_t cut = courseName.find_last_of("\\/:");
  return std::string(cut == std::string_view::npos ? courseName : courseName.substr(cut + 1));
}

const char* WindowName(int command) {
  switch (command) {
    case cmd::kHomework: return "Homework";
    case cmd::kProjects: return "Projects";
    default: return "Labs";
  }
}

}  // namespace

void CPageWnd::LaunchExplore() {
  const AccessoryFile file =
      ExploreFile(m_lessonCode, PersonalityString(kKeyExploreApplication), PersonalityString(kKeyExploreSuffix));
  if (file.action == ExploreAction::Labs) {
    OpenLessonWindow(cmd::kLaunchExplore);
    return;
  }
  std::filesystem::path path;
  if (!FindCourseFile(file.name, kSearchCourse, path)) {
    ShowNotice(str::kExploreMissing);
    return;
  }
  PlayProgramSound(snd::kExplore);
  if (file.action == ExploreAction::Reference) {
    OpenByDesktop(path);
    return;
  }
  // The lesson's explore file is an activity of the lesson, started like any other.
  ActivityLocator locator = LessonLocator();
  locator.file = FileNameOf(file.name);
  locator.kind = static_cast<std::uint8_t>(KindOfFileName(*locator.file));
  LaunchFromLessonBook(locator, CourseToUtf8(*locator.file));
}

void CPageWnd::OpenLessonWindow(int command) {
  if (command == cmd::kHomework) PlayProgramSound(snd::kHomework);
  if (command == cmd::kProjects) PlayProgramSound(snd::kProjects);
  const LessonBookLinks& links = CurrentLessonBookLinks();
  if (links.openLessonWindow)
    links.openLessonWindow(command, LessonLocator());
  else
    ShowNotice(str::kWindowMissing, WindowName(command));
}

void CPageWnd::OpenTool(int slot) {
  const PageContent& content = m_view->document().content();
  const int tool = slot == 1 ? content.tool1 : content.tool2;
  if (tool == 0) return;
  const std::string name = ToolScriptName(m_lessonCode, PageToolName(tool));
  std::filesystem::path path;
  std::optional<std::uint32_t> code;
  try {
    CourseFile file;
    if (OpenCourseFile(file, name, kSearchCourse) && FindCourseFile(name, kSearchCourse, path)) {
      std::uint8_t header[12] = {};
      const std::size_t got = file.read(header, sizeof header);
      code = ToolCodeOfScript({header, got});
    }
  } catch (const CourseFileError&) {
    code.reset();
  }
  if (!code) {
    ShowNotice(str::kToolMissing, CourseToUtf8(name));
    return;
  }
  const LessonBookLinks& links = CurrentLessonBookLinks();
  if (links.openTool)
    links.openTool(LessonLocator(), path, *code);
  else
    ShowNotice(str::kWindowMissing, PageToolTitle(tool));
}

void CPageWnd::OpenWeb() {
  const AccessoryFile file = WebFile(m_lessonCode, PersonalityString(kKeyExploreApplication));
  std::filesystem::path path;
  if (!FindCourseFile(file.name, kSearchCourse, path)) {
    ShowNotice(str::kExploreMissing);
    return;
  }
  PlayProgramSound(snd::kWeb);
  OpenByDesktop(path);
}
