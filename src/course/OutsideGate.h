// The one door out of the program: every file handed to the desktop's opener and every
// program started goes through here, and nowhere else calls QDesktopServices::openUrl or
// starts a process (a test reads the source tree to hold that).
//
// What the course player hands out must lie, with every link followed, inside a course
// folder the learner has accepted (the teacher folder, the program folder's and the
// course volume's "course" folders). A document must be a regular file and a plain
// document by its content: no execute permission, not a script, not a program, not a
// desktop entry, whatever its name says. A folder must be a folder; a program a regular
// file. The disc launcher (setup) has its own, narrower door below.
#pragma once

#include <QtCore/QString>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Preferences;

// The accepted course folders of prefs (nullptr: the program's preferences service),
// canonical; folders that do not exist are left out. flags as for OpenCourseFile:
// kSearchTeacherFolder, kSearchProgramFolder, kSearchCourseVolume.
std::vector<std::filesystem::path> AcceptedCourseFolders(const Preferences* prefs, int flags);
std::vector<std::filesystem::path> AcceptedCourseFolders(const Preferences* prefs = nullptr);

// Whether path, with every link followed, lies strictly inside one of roots.
bool IsInsideFolders(const std::filesystem::path& path, const std::vector<std::filesystem::path>& roots);

// What a file's content shows it to be when it is a script, a program or a desktop entry
// ("it is a script"); null for anything else. Looks at all of start.
const char* ProgramKindOfStart(std::string_view start);

// Whether the file may go to the desktop's open action: a regular file without any
// execute permission, not named ".desktop", whose content (the whole of it up to
// kSniffBytes, and what the MIME database makes of it) is neither a script, a program
// nor a desktop entry. reason says why not.
bool IsPlainDocument(const std::filesystem::path& path, std::string* reason = nullptr);
inline constexpr std::size_t kSniffBytes = 1 << 20;

enum class HandOff {
  Done,     // handed on
  Refused,  // the gate refused it: reason says why
  Failed,   // the desktop or the system could not do it
};

// Checks, then hands the document or folder to the desktop's opener.
HandOff OpenOutsideDocument(const std::filesystem::path& file, const std::vector<std::filesystem::path>& roots,
                            std::string* reason = nullptr);
HandOff OpenOutsideFolder(const std::filesystem::path& folder, const std::vector<std::filesystem::path>& roots,
                          std::string* reason = nullptr);
// Checks, then starts program with an argument list (never through a shell). error
// receives the system's error number when it fails to start.
HandOff StartOutsideProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                            const std::vector<std::filesystem::path>& roots, int* error = nullptr,
                            std::string* reason = nullptr);

// The disc launcher's door: it opens what its own configuration names on its disc and
// the programs installed on the system. A document or folder must exist, be a regular
// file or a folder, and a document must not be a script, program or desktop entry by
// content (its execute bit is not held against it: discs set it on everything). A program
// must be a regular file with execute permission; it starts in workingFolder.
HandOff OpenSetupDocument(const std::filesystem::path& path, std::string* reason = nullptr);
HandOff StartSetupProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingFolder, std::string* reason = nullptr);

// ---- seams for tests and fuzzing: what is done once the gate has let something through ----
// Hands a path to the desktop (default: QDesktopServices::openUrl on a file URL).
using DocumentOpener = std::function<bool(const QString& path)>;
DocumentOpener SetDocumentOpener(DocumentOpener opener);
// Starts a program detached (default: StartDetachedProgram).
using ProgramStarter =
    std::function<bool(const std::string& program, const std::vector<std::string>& arguments, int* error)>;
ProgramStarter SetProgramStarter(ProgramStarter starter);
bool StartDetachedProgram(const std::string& program, const std::vector<std::string>& arguments, int* error);
