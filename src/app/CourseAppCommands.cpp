// The application's commands: New, Open, Save and Save As student file, the recent files,
// Print Setup, Exit, About, Preferences and help.
#include <map>
#include <vector>
#include <QtPrintSupport/QPageSetupDialog>
#include <QtWidgets/QApplication>

#include "app/CourseApp.h"
#include "audio/SoundService.h"
#include "course/CourseLocations.h"
#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/OutsideGate.h"
#include "course/Preferences.h"
#include "course/PreferencesDlg.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "records/StatsDoc.h"
#include "records/StatsDocTemplate.h"
#include "shell/AboutDlg.h"
#include "app/CourseApp.h"
#include "course/CommandIds.h"
#include "shell/LessonBookLink.h"
#include "shell/MainFrame.h"
#include "shell/ShellServices.h"
#include "shell/WindowTools.h"

namespace {


std::map<int, CCourseApp::CommandHandler>& Handlers() {
  static std::map<int, CCourseApp::CommandHandler> handlers;
  return handlers;
}

// Help goes to the desktop through the program's gate, from the folders named by roots.
bool OpenByShell(const std::filesystem::path& path, const std::vector<std::filesystem::path>& roots) {
  return OpenOutsideDocument(path, roots) == HandOff::Done;
}

// The program's own folders for its help file, as the gate compares them.
std::vector<std::filesystem::path> CanonicalFolders(std::initializer_list<std::filesystem::path> folders) {
  std::vector<std::filesystem::path> out;
  for (const auto& f : folders) {
    std::error_code ec;
    auto canonical = std::filesystem::canonical(f, ec);
    if (!ec) out.push_back(std::move(canonical));
  }
  return out;
}

}  // namespace

void CCourseApp::SetCommandHandler(int id, CommandHandler handler) { Handlers()[id] = std::move(handler); }

bool CCourseApp::UpdateCommand(int id, CommandState& state) {
  using namespace cmd;
  if (const auto it = Handlers().find(id); it != Handlers().end() && it->second.run) {
    state.enabled = !it->second.enabled || it->second.enabled();
    return true;
  }
  const bool open = StudentFileOpen();
  if (id >= kRecentFirst && id <= kRecentLast) {
    state.enabled = !open && m_template && id - kRecentFirst < m_template->RecentFiles().size();
    return true;
  }
  switch (id) {
    case kNew:
    case kOpen:
      state.enabled = !open && m_template;
      return true;
    case kSave:
    case kSaveAs:
      state.enabled = document() != nullptr;
      return true;
    case kExploreHelp: {
      const CoursePersonality* personality = Service<CoursePersonality>();
      state.enabled = personality && personality->hasExploreHelp();
      return true;
    }
    case kPrintSetup:
    case kExit:
    case kAbout:
    case kPreferences:
    case kHelp:
    case kHelpContents:
      state.enabled = id != kPreferences || Service<Preferences>() != nullptr;
      return true;
    default:
      return false;
  }
}

bool CCourseApp::OnCommand(int id) {
  using namespace cmd;
  if (const auto it = Handlers().find(id); it != Handlers().end() && it->second.run) {
    it->second.run();
    return true;
  }
  if (id >= kRecentFirst && id <= kRecentLast) {
    const int index = id - kRecentFirst;
    const QStringList recent = m_template ? m_template->RecentFiles() : QStringList();
    if (index < recent.size()) OpenStudentFile(recent[index].toStdString());
    return true;
  }
  switch (id) {
    case kNew:
      NewStudentFile();
      return true;
    case kOpen:
      if (!StudentFileOpen() && m_template) m_template->OpenStudent();
      UpdateTitleAndRecentFiles();
      ScheduleIdle();
      return true;
    case kSave:
    case kSaveAs:
      SaveStudentFile(id == kSaveAs);
      return true;
    case kPrintSetup: {
      QPageSetupDialog dialog(&ProgramPrinter(), m_frame.get());
      dialog.exec();
      return true;
    }
    case kExit:
      if (m_frame) m_frame->close();
      return true;
    case kAbout:
      ShowAbout();
      return true;
    case kPreferences:
      CPreferencesDlg::RunCommand(m_frame.get());
      return true;
    case kHelp:
    case kHelpContents:
      ShowHelp();
      return true;
    case kExploreHelp:
      ShowExploreHelp();
      return true;
    default:
      return false;
  }
}

void CCourseApp::NewStudentFile() {
  if (StudentFileOpen() || !m_template) return;
  m_template->NewStudent();
  UpdateTitleAndRecentFiles();
  ScheduleIdle();
}

bool CCourseApp::SaveStudentFile(bool askName) {
  CStatsDoc* doc = document();
  if (!doc) return false;
  const bool saved = askName ? doc->SaveAs() : doc->Save();
  UpdateTitleAndRecentFiles();
  return saved;
}

bool CCourseApp::OpenStudentFile(const std::filesystem::path& path) {
  if (StudentFileOpen() || !m_template) return false;
  const bool opened = m_template->OpenDocument(path) != nullptr;
  UpdateTitleAndRecentFiles();
  ScheduleIdle();
  return opened;
}

void CCourseApp::ShowAbout() {
  PlayProgramSound(snd::kAbout);
  const QString learner = FindLessonBook() ? LearnerName() : QString();
  CAboutDlg dialog(m_env.version, learner, m_frame.get());
  dialog.exec();
}

void CCourseApp::ShowHelp() {
  // The help file is named after the application: <name>.html beside the program, or in
  // the installed program's data folder.
  const QString name = ApplicationName() + QStringLiteral(".html");
  const std::filesystem::path program = ProgramFolder();
  const std::filesystem::path shared = program / ".." / "share" / "kestrelon";
  const auto roots = CanonicalFolders({program, shared});
  for (const std::filesystem::path& candidate : {program / name.toStdString(), shared / name.toStdString()}) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) {
      if (!OpenByShell(candidate, roots)) ShowNotice(str::kFailedToLaunchHelp);
      return;
    }
  }
  ShowNotice(str::kFailedToLaunchHelp);
}

void CCourseApp::ShowExploreHelp() {
  const std::string name = PersonalityString(kKeyExploreHelp);
  std::filesystem::path path;
  if (name.empty() || !FindCourseFile(name, kSearchCourse, path)) {
    ShowNotice(str::kHelpFileMissing, CourseToUtf8(name));
    return;
  }
  // Help files of every kind go to the desktop, which picks their viewer.
  if (!OpenByShell(path, AcceptedCourseFolders(nullptr, kSearchCourse))) ShowNotice(str::kFailedToLaunchHelp);
}
