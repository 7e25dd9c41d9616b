// The course search: a walk over the lessons' folders, in display order, reading the
// text of every file of the activity types asked for and testing it with a TextMatcher.
// A match is resolved to the activity it stands for in that lesson (a page, an activity
// of the lesson by its file name, or a lesson-level document); a match that the contents
// do not name is not a hit, and the walk goes on.
//
// The walk is fixed: a lesson folder's entries in the byte order of their lower-cased
// names, the four document folders (asterisk, homework, projects, labs) entered at their
// place in that order. A continuation names the lesson and the path of the last hit in
// its folder, so that the next walk starts right after it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "course/ActivityLocator.h"
#include "search/SearchPattern.h"

class ContentsTable;

// The activity types of the search, in the order the dialog lists them.
enum SearchType : int {
  kSearchPages = 0,
  kSearchExpositions,
  kSearchExercises,
  kSearchExplorations,
  kSearchMovies,
  kSearchHandsOn,
  kSearchDocumentation,
  kSearchAsterisks,
  kSearchProjects,
  kSearchHomework,
  kSearchLabs,
};
inline constexpr int kSearchTypeCount = 11;

struct SearchTypeInfo {
  const char* name;       // as the dialog lists it
  const char* extension;  // ".pag", ...
  const char* folder;     // the lesson's subfolder of a lesson-level type, else null
  int kind;               // the activity kind of a hit
};
const SearchTypeInfo& SearchTypeOf(int type);
// The type a file's lower-cased extension (".pag") stands for in the lesson folder
// itself; -1 for any other.
int SearchTypeOfExtension(std::string_view extension);
// The lesson-level type whose folder is the lower-cased name; -1 for any other.
int SearchTypeOfFolder(std::string_view folder);

enum SearchResults : int { kResultsDisplay = 0, kResultsAddBookmarks = 1, kResultsReplaceBookmarks = 2 };
inline constexpr std::size_t kMaxSearchResults = 100;

struct SearchSettings {
  std::string text;
  int method = kMethodAsIs;
  bool caseSensitive = false;
  bool regex = false;
  int results = kResultsDisplay;
  std::array<bool, kSearchTypeCount> types{true, true, true, true, true, true, true, true, true, true, true};
  // By display position; a lesson past the end of the list is included.
  std::vector<bool> lessons;

  bool LessonIncluded(int lesson) const {
    return lesson < 0 || static_cast<std::size_t>(lesson) >= lessons.size() || lessons[static_cast<std::size_t>(lesson)];
  }
};

// Where the last display search stopped: its lesson, and the hit's path inside the
// lesson folder ("edmean.exp", "homework/ed1.wrk"), lower-cased.
struct SearchContinuation {
  int lesson = 0;
  std::string path;
  friend bool operator==(const SearchContinuation&, const SearchContinuation&) = default;
};

struct SearchHit {
  int lesson = -1;           // display position
  int type = -1;             // SearchType
  std::string path;          // inside the lesson folder, lower-cased, "/" between names
  std::string coursePath;    // from the course folder: "<lesson folder>/<file>" as on disc
  ActivityLocator locator;
};

struct SearchProgress {
  int lessonsDone = 0;   // lessons finished, among all the contents' lessons
  int lessonCount = 0;
  int fileIndex = 0;     // files of the current lesson looked at, of fileCount
  int fileCount = 0;
};

struct SearchOutcome {
  std::vector<SearchHit> hits;
  bool tooMany = false;    // stopped at the limit of a collecting search
  bool cancelled = false;
  // Where a search that stopped at its limit stopped: the last hit.
  std::optional<SearchContinuation> continuation;
};

// The lesson folder of a lesson code; none when the course has no such folder.
using LessonFolderFinder = std::function<std::optional<std::filesystem::path>(std::string_view code)>;
// The folder under root whose name is code without regard to case.
LessonFolderFinder FolderUnder(std::filesystem::path root);

// The text a file is searched by, or none when it cannot be read or is damaged.
// ".ise" and ".mtx" files are text through and through; every other kind is a resource
// container whose text section is taken, its header checked first. ".exp" and ".scr"
// text is normalised: lines beginning with "-", ":", "+" or "~" are dropped and the
// others joined with single spaces.
std::optional<std::string> ReadSearchText(const std::filesystem::path& file, std::string_view extension);
std::optional<std::string> SearchTextOf(std::span<const std::uint8_t> bytes, std::string_view extension);
std::string NormaliseScriptText(std::string_view text);

// The name of the file a ".doc" match stands for: "01" in place of the two characters
// before the extension (the document's first part); none when the name is too short.
std::optional<std::string> FirstDocumentPart(std::string_view name);
// The page index a ".pag" name gives (its digit before ".pag", less one); none without one.
std::optional<int> PageOfName(std::string_view name);

// What one file of a lesson stands for when it matches: none when the contents do not
// name it (the walk then goes on).
std::optional<ActivityLocator> ResolveSearchHit(const ContentsTable& contents, int lesson, int type,
                                                std::string_view name);

class CourseSearch {
 public:
  CourseSearch(const ContentsTable& contents, LessonFolderFinder findFolder);

  // Walks from the start, or right after from; stops after limit hits (then tooMany is
  // set for a limit above 1, and the continuation names the last hit), when progress
  // returns false (cancelled), or at the end of the lessons.
  SearchOutcome Run(const SearchSettings& settings, const std::optional<SearchContinuation>& from,
                    std::size_t limit, const std::function<bool(const SearchProgress&)>& progress = {}) const;

  // A file of a lesson folder the walk considers, in walk order.
  struct Candidate {
    std::string path;        // lower-cased, "/" between names
    std::string diskPath;    // as on disc
    std::filesystem::path file;
    int type = -1;
  };
  // The files of the lesson folder the walk visits for the settings' types.
  static std::vector<Candidate> Candidates(const std::filesystem::path& folder,
                                           const std::array<bool, kSearchTypeCount>& types);

 private:
  const ContentsTable& m_contents;
  LessonFolderFinder m_findFolder;
};

// Whether path a comes after path b in the walk order of one lesson folder.
bool WalkAfter(std::string_view a, std::string_view b);

// The locators of hits with later repetitions left out.
std::vector<ActivityLocator> UniqueLocators(const std::vector<SearchHit>& hits);
