#include "setup/SetupLauncher.h"

#include "course/CoursePath.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "course/StringIds.h"
#include "setup/SetupShell.h"

namespace fs = std::filesystem;

namespace {

// The MIME names RTF documents go by; a handler for either opens them.
const std::vector<std::string> kRtfTypes = {"text/rtf", "application/rtf"};

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

CSetupLauncher::CSetupLauncher(fs::path programFolder, CSetupShell& shell, ProgramSearch search)
    : m_folder(std::move(programFolder)), m_shell(shell), m_search(std::move(search)) {}

std::string CSetupLauncher::folderText() const {
  std::string p = m_folder.string();
  if (p.empty() || p.back() != '/') p += '/';
  return p;
}

bool CSetupLauncher::PrepareButton(SetupButton& button) const {
  if (button.function != SetupFunction::HdLaunch || button.target.empty() || button.application.empty())
    return true;
  const auto program = FindInstalledProgram(CourseToUtf8(button.application), m_search);
  if (!program) return false;
  const std::string full = Utf8ToCourse(program->string());
  if (full.size() > setup_limits::kFieldLimit) return false;  // as long as a target may be
  button.target = full;
  return true;
}

bool CSetupLauncher::OpenOrStart(const fs::path& path) const {
  return IsProgramFile(path) ? m_shell.StartProgram(path, {}) : m_shell.OpenDocument(path);
}

bool CSetupLauncher::LaunchFromFolder(const SetupButton& button, std::string& tried) const {
  const std::string target = CourseToUtf8(button.target);
  if (button.application.empty()) {
    tried = folderText() + target;
    const auto path = ResolveCoursePath(m_folder, button.target);
    return path && OpenOrStart(*path);
  }
  // With an application the button means "run the application on the target": the
  // program is looked for in P, then among the installed programs, and gets P plus
  // the target as its one argument.
  const std::string application = CourseToUtf8(button.application);
  tried = folderText() + application + " " + folderText() + target;
  std::optional<fs::path> program = ResolveCoursePath(m_folder, button.application);
  if (!program || !IsProgramFile(*program)) program = FindInstalledProgram(application, m_search);
  const auto document = ResolveCoursePath(m_folder, button.target);
  return program && document && m_shell.StartProgram(*program, {document->string()});
}

bool CSetupLauncher::LaunchInstalled(const SetupButton& button, std::string& tried) const {
  tried = CourseToUtf8(button.target);
  if (button.target.empty()) return false;
  const fs::path written(tried);
  const std::optional<fs::path> path =
      written.is_absolute() ? std::optional<fs::path>(written) : ResolveCoursePath(m_folder, button.target);
  std::error_code ec;
  return path && fs::exists(*path, ec) && OpenOrStart(*path);
}

bool CSetupLauncher::OpenReadme(const SetupButton& button, std::string& tried) const {
  std::string target = button.target;
  // Only the target is rewritten: a ".rtf" in the name of P itself is left alone.
  if (target.find(".rtf") != std::string::npos && !HasApplicationFor(kRtfTypes, m_search))
    ReplaceAll(target, ".rtf", ".txt");
  tried = folderText() + CourseToUtf8(target);
  // A read-me is always a document, even when its execute bit is set.
  const auto path = ResolveCoursePath(m_folder, target);
  return path && m_shell.OpenDocument(*path);
}

ButtonOutcome CSetupLauncher::Click(const SetupButton& button) const {
  std::string tried;
  bool ok = false;
  switch (button.function) {
    case SetupFunction::None:
      return ButtonOutcome::Nothing;
    case SetupFunction::CheckBox:
      return ButtonOutcome::ToggleCheckBox;
    case SetupFunction::Quit:
      return ButtonOutcome::CloseWindow;
    case SetupFunction::About:
      return ButtonOutcome::ShowAbout;
    case SetupFunction::CdLaunch:
      ok = LaunchFromFolder(button, tried);
      break;
    case SetupFunction::HdLaunch:
      ok = LaunchInstalled(button, tried);
      break;
    case SetupFunction::Readme:
      ok = OpenReadme(button, tried);
      if (ok) return ButtonOutcome::StayOpen;
      break;
  }
  if (ok) return ButtonOutcome::CloseWindow;
  ShowPlainMessage(FormatProgramString(str::kSetupLaunchFailed, tried));
  return ButtonOutcome::StayOpen;
}
