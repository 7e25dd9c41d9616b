// The launcher's start: an automatic start with "Show_Dialog" 0 only opens the
// program's folder; otherwise the welcome sound plays while the window is shown.
#pragma once

#include <QtCore/QStringList>
#include <filesystem>
#include <functional>

class CMovieLibraryProbe;
class CSetupDialog;
class CSetupShell;
class SetupProfile;

struct SetupRun {
  std::filesystem::path programFolder;
  CSetupShell* shell = nullptr;                // required
  SetupProfile* profile = nullptr;             // required
  CMovieLibraryProbe* movieProbe = nullptr;    // optional
  std::function<void()> playWelcome;           // optional; starts the sound and returns at once
  std::function<void()> stopWelcome;           // optional
  std::function<void(CSetupDialog&)> runDialog;  // shows the window until it closes; default exec()
};

// The exact word "autostart" among the arguments (the program name excluded).
bool IsAutostart(const QStringList& arguments);

// Exit status: 0, or 1 when an automatic start could not open the folder.
int RunSetup(const QStringList& arguments, const SetupRun& run);
