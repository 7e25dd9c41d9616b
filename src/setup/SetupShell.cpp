#include "setup/SetupShell.h"

#include "course/OutsideGate.h"

bool CDesktopShell::OpenDocument(const std::filesystem::path& path) {
  // The desktop's handler is started asynchronously and cannot report a missing file;
  // the gate catches that, and refuses what the desktop would run.
  return OpenSetupDocument(path) == HandOff::Done;
}

bool CDesktopShell::StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
  return StartSetupProgram(program, arguments, program.parent_path()) == HandOff::Done;
}
