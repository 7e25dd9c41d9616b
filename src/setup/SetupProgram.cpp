#include "setup/SetupProgram.h"

#include "setup/SetupDialog.h"
#include "setup/SetupProfile.h"
#include "setup/SetupShell.h"

bool IsAutostart(const QStringList& arguments) { return arguments.mid(1).contains(QStringLiteral("autostart")); }

int RunSetup(const QStringList& arguments, const SetupRun& run) {
  if (IsAutostart(arguments) && run.profile->showDialog() == 0)
    return run.shell->OpenDocument(run.programFolder) ? 0 : 1;
  if (run.playWelcome) run.playWelcome();
  {
    CSetupDialog dialog(run.programFolder, *run.shell, *run.profile, run.movieProbe);
    if (run.runDialog)
      run.runDialog(dialog);
    else
      dialog.exec();
  }
  if (run.stopWelcome) run.stopWelcome();
  return 0;
}
