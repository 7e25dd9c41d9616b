// What the launcher's buttons do. The program's folder P stands where the disc's root
// stood: "cd_launch" and "readme" targets are course names inside it (resolved without
// regard to case, "\" accepted as a separator, never leaving the folder).
#pragma once

#include <filesystem>
#include <string>

#include "setup/DesktopPrograms.h"
#include "setup/SetupSettings.h"

class CSetupShell;

enum class ButtonOutcome {
  Nothing,         // no function
  CloseWindow,     // a launch succeeded, or "quit"
  StayOpen,        // "readme", or a launch that failed (its message has been shown)
  ToggleCheckBox,  // the window toggles "Show_Dialog"
  ShowAbout,
};

class CSetupLauncher {
 public:
  // shell is borrowed and must outlive the launcher.
  CSetupLauncher(std::filesystem::path programFolder, CSetupShell& shell,
                 ProgramSearch search = ProgramSearch::FromEnvironment());

  // Made when the button is created: an "hd_launch" button naming both a target and
  // an application gets the installed program's full path as its target; false when
  // no such program is installed (the button is then disabled).
  bool PrepareButton(SetupButton& button) const;

  // Runs the button's function. A launch that fails shows "Launch failed.  Try
  // launching '%s' directly." with what was tried.
  ButtonOutcome Click(const SetupButton& button) const;

  // P as messages show it: the folder with a trailing separator.
  std::string folderText() const;
  const std::filesystem::path& programFolder() const { return m_folder; }

 private:
  bool LaunchFromFolder(const SetupButton& button, std::string& tried) const;
  bool LaunchInstalled(const SetupButton& button, std::string& tried) const;
  bool OpenReadme(const SetupButton& button, std::string& tried) const;
  bool OpenOrStart(const std::filesystem::path& path) const;

  std::filesystem::path m_folder;
  CSetupShell& m_shell;
  ProgramSearch m_search;
};
