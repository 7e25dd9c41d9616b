// The course personality: personal.knp, a resource container beside the program (or in
// the explicit course folder) holding the named strings, pictures and texts that brand
// and configure one edition of the course. Every string key has its default in the
// program's string table (ids 7500 to 7531), so the program runs without the file.
//
// Values are course bytes (Windows-1252). The directory stays in memory and the file
// stays open for the life of the object; entry data is read on demand.
#pragma once

#include <QtGui/QColor>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "course/StringIds.h"

class ResourceContainer;

// String ids of the personality keys; the key's name is its entry name in the file.
enum PersonalityKeyId : int {
  kKeyApplication = str::kDefaultApplication,
  kKeyCustomBookmark = str::kDefaultCustomBookmark,
  kKeyDatasetsFolder = str::kDefaultDatasetsFolder,
  kKeyDatasetsName = str::kDefaultDatasetsName,
  kKeyDisableSounds = str::kDefaultDisableSounds,
  kKeyDogEar = str::kDefaultDogEar,
  kKeyExploreApplication = str::kDefaultExploreApplication,
  kKeyExploreDocs = str::kDefaultExploreDocs,
  kKeyExploreHelp = str::kDefaultExploreHelp,
  kKeyExploreName = str::kDefaultExploreName,
  kKeyExploreSuffix = str::kDefaultExploreSuffix,
  kKeyExploreTutor = str::kDefaultExploreTutor,
  kKeyExpoBackground = str::kDefaultExpoBackground,
  kKeyExpoFont = str::kDefaultExpoFont,
  kKeyFlavor = str::kDefaultFlavor,
  kKeyGlossaryFont = str::kDefaultGlossaryFont,
  kKeyGoalIcon = str::kDefaultGoalIcon,
  kKeyHelpGuide = str::kDefaultHelpGuide,
  kKeyHomework = str::kDefaultHomework,
  kKeyLessonBase = str::kDefaultLessonBase,
  kKeyLessonFont = str::kDefaultLessonFont,
  kKeyLinkColor = str::kDefaultLinkColor,
  kKeyIndexIcons = str::kDefaultIndexIcons,
  kKeyPageFormat = str::kDefaultPageFormat,
  kKeyPageNumber = str::kDefaultPageNumber,
  kKeyProjects = str::kDefaultProjects,
  kKeyQuickTime = str::kDefaultQuickTime,
  kKeyShrinkExplanation = str::kDefaultShrinkExplanation,
  kKeySplashMovie = str::kDefaultSplashMovie,
  kKeyTocIcons = str::kDefaultTocIcons,
  kKeyVolumes = str::kDefaultVolumes,
  kKeyWindowsSuffix = str::kDefaultWindowsSuffix,
};

enum class PersonalityType { String, Boolean, Integer, Colour };

struct PersonalityKey {
  int id;
  const char* name;  // entry name in personal.knp, exact spelling
  PersonalityType type;
  int fallback;  // the default of GetBool/GetInt when the value is empty (booleans: 0 or 1)
};

// Every key, in id order.
std::span<const PersonalityKey> PersonalityKeys();
const PersonalityKey* FindPersonalityKey(int id);

// Named pictures (type 0 entries) of the personality.
constexpr const char* kSplashScreenPicture = "Splash Screen";
constexpr const char* kAboutScreenPicture = "About Screen";
constexpr const char* kExploreIconPicture = "Explore Icon";

// A menu item text set from the personality: the item with that command id gets text
// (UTF-8), or is removed.
struct MenuTextChange {
  int commandId = 0;
  bool remove = false;
  std::string text;
};

class CoursePersonality {
 public:
  enum class LoadState {
    Loaded,   // the file was read
    Missing,  // no file: defaults, silently
    Damaged,  // unreadable or truncated: "Cannot load personality file" was shown; defaults
  };
  static constexpr const char* kFileName = "personal.knp";
  static constexpr std::size_t kMaxValue = 260;  // a string entry this long or longer is ignored

  // personal.knp in CourseRootFolder(), the name matched without regard to case.
  CoursePersonality();
  explicit CoursePersonality(const std::filesystem::path& file);
  // The personality held in bytes (tests, fuzzing); label names it in errors.
  static std::unique_ptr<CoursePersonality> FromBytes(std::vector<std::uint8_t> bytes, std::string label = {});
  ~CoursePersonality();
  CoursePersonality(const CoursePersonality&) = delete;
  CoursePersonality& operator=(const CoursePersonality&) = delete;

  LoadState loadState() const { return m_state; }
  const std::string& loadError() const { return m_error; }  // why a Damaged file was refused
  const std::string& path() const { return m_path; }

  // The value of a key: the text entry of the key's name when present and shorter than
  // 260 bytes (up to its first NUL), else the string-table default (empty when none).
  std::string GetString(int id) const;
  // Whether GetString(id) comes from the file.
  bool FromFile(int id) const;
  // A non-empty value is true exactly when it is "true" or "1" (any case); empty: fallback.
  bool GetBool(int id, bool fallback) const;
  // Decimal, converted when non-empty (leading digits, as atoi reads them); empty: fallback.
  int GetInt(int id, int fallback) const;
  // "#rrggbb" or a decimal number 0xRRGGBB; a value of neither form gives the default's
  // colour, and black when that fails too.
  QColor GetColor(int id) const;

  // Whole entries. ReadEntry returns a text entry NUL-terminated; none when the entry is
  // absent or cannot be read. A picture lookup prefers "name@" (the container's rule).
  bool HasEntry(int type, std::string_view name) const;
  std::optional<std::vector<std::uint8_t>> ReadEntry(int type, std::string_view name) const;

  // The text entry of that name (without terminator) when there is one, else the
  // program's "text" resource resourceId, else empty. True when the personality supplied it.
  bool LoadText(int resourceId, std::string_view name, std::string& out) const;

  // Placeholder expansion for course texts: "application" and "explore" give the
  // application and Explore names, "bundle" the display name of the chosen bundle; an
  // activity identifier the contents resolve gives "lesson-page" ("%d-%d", lessons
  // counted from "Lesson Base", pages from 1) or the lesson number alone; else empty.
  std::string ExpandName(std::string_view name) const;

  // The seven menu texts built from the application, Explore and Datasets names.
  std::vector<MenuTextChange> MenuRewrites() const;

  // Evaluated once at construction.
  bool hasExploreHelp() const { return m_hasExploreHelp; }
  bool hasExploreDocs() const { return m_hasExploreDocs; }
  bool hasExploreTutor() const { return m_hasExploreTutor; }
  bool hasDatasetsName() const { return m_hasDatasetsName; }
  bool helpGuide() const { return m_helpGuide; }
  bool goalIcon() const { return m_goalIcon; }
  bool tocIcons() const { return m_tocIcons; }
  bool indexIcons() const { return m_indexIcons; }
  bool dogEar() const { return m_dogEar; }
  bool shrinkExplanation() const { return m_shrinkExplanation; }
  bool pageNumber() const { return m_pageNumber; }
  bool homework() const { return m_homework; }
  bool projects() const { return m_projects; }
  int customBookmark() const { return m_customBookmark; }

 private:
  struct Empty {};
  explicit CoursePersonality(Empty);
  void Load(const std::function<ResourceContainer()>& open);
  void CacheValues();
  std::optional<std::string> FileValue(int id) const;

  std::unique_ptr<ResourceContainer> m_container;  // null without a usable file
  LoadState m_state = LoadState::Missing;
  std::string m_error;
  std::string m_path;

  bool m_hasExploreHelp = false, m_hasExploreDocs = false, m_hasExploreTutor = false, m_hasDatasetsName = false;
  bool m_helpGuide = true, m_goalIcon = true, m_tocIcons = true, m_indexIcons = true, m_dogEar = true;
  bool m_shrinkExplanation = true, m_pageNumber = true, m_homework = true, m_projects = true;
  int m_customBookmark = 0;
};

// Personality values for code that runs with or without the service: the installed
// CoursePersonality's value, else the string-table default (course bytes).
std::string PersonalityString(int id);
bool PersonalityBool(int id, bool fallback);
int PersonalityInt(int id, int fallback);

// The typed reads on a raw value, shared by the class and tools.
bool ParsePersonalityBool(std::string_view value, bool fallback);
int ParsePersonalityInt(std::string_view value, int fallback);
std::optional<QColor> ParsePersonalityColor(std::string_view value);
