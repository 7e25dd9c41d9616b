// Where course files are looked for, and the one way the player opens them.
//
// The course locations are the folder slots of the preferences: slot 0 the teacher
// folder (teacher extensions, used as it is), slot 1 the program folder and slot 2 the
// course volume (each holding a "course" folder), slot 3 the temporary folder. The
// program folder is the executable's folder; its "course" folder holds the bundled
// sample course and personal.knp lies beside the executable.
//
// An explicit course folder (the --course option, or the KESTRELON_COURSE environment
// variable) takes the program folder's place for course data: personal.knp is read from
// it, slot 1 points at it, and no course volume is looked for, so that an author or a
// test sees exactly the files of that folder (plus teacher extensions when asked for).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CourseFile;
class Preferences;

// Flags of OpenCourseFile and FindCourseFile.
enum CourseFileFlags : int {
  kSearchProgramFolder = 1,   // <program folder>/course/
  kSearchCourseVolume = 2,    // <course volume>/course/
  kSearchTeacherFolder = 4,   // the teacher folder itself, tried first
  kRaiseIfMissing = 8,        // throw CourseFileError instead of returning false
  kOpenReadWrite = 16,        // open for reading and writing (exclusive lock)
  kSearchCourse = kSearchProgramFolder | kSearchCourseVolume,
  kRequireCourseFile = kSearchCourse | kRaiseIfMissing,
};

constexpr const char* kCourseFolderVariable = "KESTRELON_COURSE";
constexpr const char* kCourseFolderOption = "--course";

// The executable's folder: QCoreApplication::applicationDirPath() while an application
// object exists, else the folder of /proc/self/exe; the working folder if neither answers.
std::filesystem::path ProgramFolder();

// The explicit course folder: the one set by SetExplicitCourseFolder (the command line),
// else $KESTRELON_COURSE when it names an existing folder; none otherwise.
std::optional<std::filesystem::path> ExplicitCourseFolder();
void SetExplicitCourseFolder(std::optional<std::filesystem::path> folder);

// The folder holding personal.knp and the "course" folder: the explicit course folder,
// else the program folder.
std::filesystem::path CourseRootFolder();

// For the start-up code: removes "--course DIR" or "--course=DIR" from the arguments and
// makes DIR the explicit course folder. Without the option, a KESTRELON_COURSE value is
// checked the same way. ok is false, with a message for the user, when the folder named
// does not exist or the option has no value; the caller prints it and exits.
struct CourseFolderOption {
  bool ok = true;
  std::string error;
};
CourseFolderOption TakeCourseFolderOption(int& argc, char** argv);

// A mounted volume and its label (UTF-8; empty when it has none).
struct MountedVolume {
  std::filesystem::path root;
  std::string label;
};
// The ready volumes the system reports, in its order.
std::vector<MountedVolume> MountedVolumes();

// The course volume folder for the personality value "Volumes" (course bytes: label;subfolder;
// pairs): the first volume, in the order given, whose label equals one of the value's labels
// without regard to case; its root, plus the subfolder of the first matching pair when that
// is non-empty and does not begin with a space. The result ends in "/". None when no
// volume matches.
std::optional<std::string> FindCourseVolume(std::string_view volumesValue, const std::vector<MountedVolume>& volumes);

// The name rewritings of the two functions below, as course names with "\" separators:
// OpenCourseFile drops a leading "/" and turns the other "/" into "\" ("/pages/x.pag" is
// pages\x.pag); FindCourseFile drops one leading ":" and turns the other ":" into "\"
// (":rf:Tutorial.ise" is rf\Tutorial.ise).
std::string OpenCourseName(std::string_view name);
std::string FindCourseName(std::string_view name);

// Opens the course file name from the folders the flags allow, in the order teacher
// folder, program folder, course volume; a folder that is not valid is skipped, and every
// component of the name is matched without regard to case. On success file is open and
// the result is true. A file locked by another writer raises CourseFileError
// (SharingViolation) at once when flags contain kRaiseIfMissing, else the next folder is
// tried; when no folder holds the file, kRaiseIfMissing raises CourseFileError (NotFound),
// else the result is false. Names that would leave their folder ("..") are never found.
//
// These work on Service<Preferences>(); without that service only the program folder (or
// the explicit course folder) is searched, when the flags allow it.
bool OpenCourseFile(CourseFile& file, std::string_view name, int flags);
// Tests for existence only (file or folder), same folders and order; flags 1, 2, 4 and 8.
bool FindCourseFile(std::string_view name, int flags, std::filesystem::path& outPath);

// The same on the given preferences (nullptr: as without the service).
bool OpenCourseFileWith(const Preferences* prefs, CourseFile& file, std::string_view name, int flags);
bool FindCourseFileWith(const Preferences* prefs, std::string_view name, int flags, std::filesystem::path& outPath);
