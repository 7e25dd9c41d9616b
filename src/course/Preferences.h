// The learner's preferences: the settings of the Preferences dialog, the remembered
// folders (the course locations) and the table of remembered window rectangles.
//
// Kept in the profile (section "Config" of the program's settings file) and inside
// every student progress file (the preferences block, in the course stream). The
// settings are plain fields in the order they are stored; the window table and the
// changed mark are kept behind the member functions that maintain them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "course/CourseRect.h"

class CourseFile;
class CourseStream;
struct MountedVolume;

// The Lesson Book formats, in the order of the preference PageFormat.
constexpr std::array<const char*, 7> kPageFormatNames = {"Spiral-bound", "Leather-bound", "Plain Vanilla", "High Tech",
                                                         "Notebook",     "Stylish",       "Cream"};

class Preferences {
 public:
  static constexpr int kFolderSlots = 4;
  static constexpr int kWindowSlots = 64;
  static constexpr std::size_t kMaxFolderPath = 4096;  // bytes: the system's path limit
  static constexpr int kMinFontSize = 8;
  static constexpr int kMaxFontSize = 24;
  static constexpr int kDefaultFontSize = 12;
  static constexpr int kPageFormats = static_cast<int>(kPageFormatNames.size());
  static constexpr std::int32_t kMaxWindowEdge = 8000;  // profile window entries beyond this are dropped
  static constexpr std::size_t kProfileWindowEntry = 20;  // bytes of one window entry in the profile

  enum FolderSlot { kTeacherFolder = 0, kProgramFolder = 1, kCourseVolume = 2, kTempFolder = 3 };

  struct Folder {
    bool valid = false;
    std::string path;  // ends in "/" when set by the program; at most kMaxFolderPath bytes
    bool operator==(const Folder&) const = default;
  };

  struct WindowEntry {
    std::uint16_t key = 0;  // 0: a free entry
    CourseRect rect;
    bool operator==(const WindowEntry&) const = default;
  };
  using WindowTable = std::array<WindowEntry, kWindowSlots>;

  // The defaults (DisableSounds and PageFormat from the personality), normalised.
  Preferences();

  // ---- the settings, in stored order ----
  bool flag0 = false;  // flags 0, 4, 7 and 8 travel only in student progress files
  bool disableSounds = false;
  bool neverAdjust = false;
  bool hideTime = false;
  bool flag4 = false;
  bool expoSource = false;
  bool showTips = false;
  bool flag7 = false;
  bool flag8 = false;
  bool textToSpeech = false;
  std::uint8_t fontSize = kDefaultFontSize;  // Lesson Book text, points, 8 to 24
  std::uint8_t bundledText = 0;              // index into the bundle list; 0: none
  std::uint8_t pageFormat = 0;               // index into kPageFormatNames
  std::uint16_t asterisks = 0;               // bit i set: asterisk source i excluded
  std::uint16_t activities = 0;              // always 0
  std::array<std::uint8_t, 4> spare{};       // travel only in student progress files
  std::array<Folder, kFolderSlots> folders;

  // Brings every field into range: FontSize outside 8..24 becomes 12, PageFormat is taken
  // modulo 7, Activities becomes 0, a BundledText index not below the number of bundles
  // becomes 0, Asterisks keeps only the bits of existing sources. The counts come from the
  // course model hooks; a list that is not connected leaves its field as it is.
  void Normalize();
  void Normalize(std::optional<int> bundleCount, std::optional<int> asteriskSourceCount);

  // The settings and the folders compare equal (not the changed mark, not the window table).
  bool Equal(const Preferences& other) const;
  // Copies what Equal compares; the window table and the changed mark stay.
  void AssignSettings(const Preferences& other);

  bool changed() const { return m_changed; }
  void SetChanged(bool changed = true) { m_changed = changed; }

  const Folder& folder(int slot) const { return folders.at(static_cast<std::size_t>(slot)); }

  // Slot 0 is this computer's own teacher folder: the profile's, or the learner's choice
  // in the Preferences dialog; it alone goes to the profile. While a student progress
  // file is open whose teacher folder the learner accepted, that folder serves instead:
  // teacherFolder() is the one course files are searched in (and the one the file keeps).
  const Folder& teacherFolder() const { return m_fileTeacher.valid ? m_fileTeacher : folders[kTeacherFolder]; }
  // Empty: back to this computer's own. A path longer than kMaxFolderPath is refused.
  bool SetFileTeacherFolder(std::string_view path);
  // Sets a slot, valid when path is non-empty. A path longer than kMaxFolderPath does not
  // fit: the slot is left as it was and the result is false.
  bool SetFolder(int slot, std::string_view path);

  // ---- the profile ----
  // $XDG_CONFIG_HOME/Kestrelon/Kestrelon.ini (~/.config/... by default).
  static std::filesystem::path ProfilePath();
  // The profile holds the learner's recent-file paths: it is the learner's alone. Creates
  // the file (and its folder, 0700) when missing and gives it mode 0600; every writer of
  // the profile calls it before writing.
  static void RestrictProfile(const std::filesystem::path& iniFile);
  // Reads section "Config" with the current values as defaults, then normalises. Missing
  // keys keep their values; a damaged "Windows" value is ignored.
  void LoadProfile();
  void LoadProfile(const std::filesystem::path& iniFile);
  // Writes every key and clears the changed mark; false when the file cannot be written.
  bool SaveProfile();
  bool SaveProfile(const std::filesystem::path& iniFile);
  // Takes a "Windows" profile value into the window table: the entries with a non-zero key,
  // left and top not negative and right and bottom at most 8000, in order; a cut-off last
  // entry is dropped. A value that does not decode is refused (false, table unchanged).
  bool LoadProfileWindows(std::string_view value);

  // ---- the preferences block of a student progress file ----
  // Storing writes the block; loading reads one into this record (a block that ends early
  // throws and leaves the record untouched), normalises it and marks it changed. The
  // teacher folder a block names is never taken: a file from elsewhere must not choose
  // where course files come from. It goes to blockTeacherFolder (empty: none) for the
  // caller to offer to the learner.
  void Serialize(CourseStream& stream, std::string* blockTeacherFolder = nullptr);

  // ---- the course locations ----
  // Slot 3 the temporary folder, slot 2 the course volume among the mounted volumes
  // (none when an explicit course folder is set), slot 1 the program folder.
  void DiscoverVolume();
  void DiscoverVolume(const std::vector<MountedVolume>& volumes);
  // OpenCourseFile and FindCourseFile (CourseLocations.h) on these folders.
  bool OpenCourseFile(CourseFile& file, std::string_view name, int flags) const;
  bool FindCourseFile(std::string_view name, int flags, std::filesystem::path& outPath) const;

  // ---- the window table ----
  // Replaces the rectangle of the entry with that key, else fills the first free entry;
  // with no free entry nothing is stored. The changed mark is set when something changed.
  // Key 0 does nothing.
  void RememberRect(int key, const CourseRect& rect);
  std::optional<CourseRect> LookupRect(int key) const;
  std::optional<CourseSize> LookupSize(int key) const;
  const WindowTable& windowTable() const { return m_windows; }
  // The entries before the first free one: what the profile and the block store.
  int UsedWindowEntries() const;

 private:
  // Stores into the table without touching the changed mark; false when nothing changed.
  bool StoreRect(std::uint16_t key, const CourseRect& rect);
  void ReadBlock(CourseStream& stream, std::string* blockTeacherFolder);
  void WriteBlock(CourseStream& stream) const;

  bool m_changed = false;
  WindowTable m_windows{};
  Folder m_fileTeacher;  // the open progress file's teacher folder, when accepted
};

// The "Windows" profile value: each byte as two letters, "A" plus its low four bits,
// then "A" plus its high four bits. Decoding refuses (none) a value of odd length or with
// any other character.
std::string EncodeProfileBytes(const std::vector<std::uint8_t>& bytes);
std::optional<std::vector<std::uint8_t>> DecodeProfileBytes(std::string_view text);

// kNotifyPreferences (the preferences changed) carries the record as it was before the change.
// Until the windows framework broadcasts it, this hook is the one receiver; the
// Preferences dialog and every other place that changes the preferences call
// NotifyPreferencesChanged. Returns the previous hook.
using PreferencesChangedHook = std::function<void(const Preferences& previous)>;
PreferencesChangedHook SetPreferencesChangedHook(PreferencesChangedHook hook);
void NotifyPreferencesChanged(const Preferences& previous);
