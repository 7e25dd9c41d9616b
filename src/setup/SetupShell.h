// How the launcher hands things to the desktop. The real shell opens documents and
// folders with the desktop's handler and starts programs directly with an argument
// list (never through a command interpreter); tests substitute a recorder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class CSetupShell {
 public:
  virtual ~CSetupShell() = default;
  // A document or folder in the desktop's handler; false when it could not be handed over.
  virtual bool OpenDocument(const std::filesystem::path& path) = 0;
  // Starts program detached, in its own folder; false when it did not start.
  virtual bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) = 0;
};

// The desktop and the system, through the program's gate (course/OutsideGate.h); needs
// the application object.
class CDesktopShell : public CSetupShell {
 public:
  bool OpenDocument(const std::filesystem::path& path) override;
  bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) override;
};
