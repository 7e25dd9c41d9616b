// Installed programs and document handlers on a freedesktop system: the launcher's
// "hd_launch" buttons start a program found on PATH or through an installed .desktop
// entry, and "readme" asks whether any application opens RTF documents.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where programs and .desktop entries are looked for.
struct ProgramSearch {
  std::vector<std::filesystem::path> pathFolders;         // PATH, in order
  std::vector<std::filesystem::path> applicationFolders;  // the XDG "applications" folders, in order
  static ProgramSearch FromEnvironment();
};

// The [Desktop Entry] group of a .desktop file, with string escapes resolved.
struct DesktopEntry {
  std::string type;                    // "Application", "Link", ...
  std::string exec;                    // the command line, field codes and all
  std::string tryExec;
  bool hidden = false;                 // Hidden=true: the entry counts as deleted
  std::vector<std::string> mimeTypes;  // MimeType=, split at ';'
};
// None when the text has no [Desktop Entry] group.
std::optional<DesktopEntry> ParseDesktopEntry(std::string_view text);
// The program word of an Exec line (first argument, quotes and escapes removed).
std::string DesktopExecProgram(std::string_view exec);

// The full path of the installed program that application names, or none. application
// is a bare name ("kestrelon", or "Kestrelon.exe" as disc settings written for another
// system say it: the ".exe" is dropped and the lower-case form tried too). It is found
// as an executable file on PATH, else as NAME.desktop in an applications folder whose
// Exec program exists. Names holding a path separator are refused.
std::optional<std::filesystem::path> FindInstalledProgram(std::string_view application, const ProgramSearch& search);

// True when an installed, not hidden .desktop entry lists one of mimeTypes.
bool HasApplicationFor(const std::vector<std::string>& mimeTypes, const ProgramSearch& search);

// A file the launcher starts rather than hands to a document viewer: a regular file the
// user may execute that is an ELF program or a "#!" script. Execute bits alone do not
// count: every file on a disc mounted without them in mind has them.
bool IsProgramFile(const std::filesystem::path& path);
