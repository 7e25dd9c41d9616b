#include "course/Preferences.h"

#include <QtCore/QDir>

#include "course/CourseLocations.h"
#include "course/CourseModelLinks.h"
#include "course/CoursePersonality.h"
#include "course/CourseStream.h"

namespace {

PreferencesChangedHook& ChangedHook() {
  static PreferencesChangedHook hook;
  return hook;
}

std::string WithSlash(std::string path) {
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

}  // namespace

Preferences::Preferences() {
  disableSounds = PersonalityBool(kKeyDisableSounds, false);
  pageFormat = static_cast<std::uint8_t>(((PersonalityInt(kKeyPageFormat, 0) % kPageFormats) + kPageFormats) %
                                         kPageFormats);
  Normalize();
}

void Preferences::Normalize() {
  std::optional<int> bundles, sources;
  if (auto list = LinkedBundles()) bundles = static_cast<int>(list->size());
  if (auto list = LinkedAsteriskSources()) sources = static_cast<int>(list->size());
  Normalize(bundles, sources);
}

void Preferences::Normalize(std::optional<int> bundleCount, std::optional<int> asteriskSourceCount) {
  if (fontSize < kMinFontSize || fontSize > kMaxFontSize) fontSize = kDefaultFontSize;
  pageFormat = static_cast<std::uint8_t>(pageFormat % kPageFormats);
  activities = 0;
  // An index is kept only while it names a bundle; masking it with 2^count - 1 would turn
  // some stale indexes into a different bundle.
  if (bundleCount && bundledText >= *bundleCount) bundledText = 0;
  if (asteriskSourceCount) {
    const int n = *asteriskSourceCount;
    const std::uint32_t mask = n <= 0 ? 0u : n >= 16 ? 0xFFFFu : (1u << n) - 1u;
    asterisks = static_cast<std::uint16_t>(asterisks & mask);
  }
}

bool Preferences::Equal(const Preferences& o) const {
  return flag0 == o.flag0 && disableSounds == o.disableSounds && neverAdjust == o.neverAdjust &&
         hideTime == o.hideTime && flag4 == o.flag4 && expoSource == o.expoSource && showTips == o.showTips &&
         flag7 == o.flag7 && flag8 == o.flag8 && textToSpeech == o.textToSpeech && fontSize == o.fontSize &&
         bundledText == o.bundledText && pageFormat == o.pageFormat && asterisks == o.asterisks &&
         activities == o.activities && spare == o.spare && folders == o.folders;
}

void Preferences::AssignSettings(const Preferences& o) {
  const bool changedMark = m_changed;
  const WindowTable windows = m_windows;
  *this = o;
  m_changed = changedMark;
  m_windows = windows;
}

bool Preferences::SetFolder(int slot, std::string_view path) {
  if (slot < 0 || slot >= kFolderSlots || path.size() > kMaxFolderPath) return false;
  Folder& f = folders[static_cast<std::size_t>(slot)];
  f.path.assign(path);
  f.valid = !f.path.empty();
  return true;
}

bool Preferences::SetFileTeacherFolder(std::string_view path) {
  if (path.size() > kMaxFolderPath) return false;
  m_fileTeacher.path.assign(path);
  m_fileTeacher.valid = !path.empty();
  return true;
}

// ---- window table ----

bool Preferences::StoreRect(std::uint16_t key, const CourseRect& rect) {
  if (key == 0) return false;
  for (WindowEntry& e : m_windows)
    if (e.key == key) {
      if (e.rect == rect) return false;
      e.rect = rect;
      return true;
    }
  for (WindowEntry& e : m_windows)
    if (e.key == 0) {
      e.key = key;
      e.rect = rect;
      return true;
    }
  return false;  // the table is full
}

void Preferences::RememberRect(int key, const CourseRect& rect) {
  if (key <= 0 || key > 0xFFFF) return;
  if (StoreRect(static_cast<std::uint16_t>(key), rect)) m_changed = true;
}

std::optional<CourseRect> Preferences::LookupRect(int key) const {
  if (key <= 0 || key > 0xFFFF) return std::nullopt;
  for (const WindowEntry& e : m_windows)
    if (e.key == key) return e.rect;
  return std::nullopt;
}

std::optional<CourseSize> Preferences::LookupSize(int key) const {
  const auto r = LookupRect(key);
  if (!r) return std::nullopt;
  return CourseSize{r->width(), r->height()};
}

int Preferences::UsedWindowEntries() const {
  int n = 0;
  while (n < kWindowSlots && m_windows[static_cast<std::size_t>(n)].key != 0) ++n;
  return n;
}

// ---- preferences block ----

void Preferences::Serialize(CourseStream& stream, std::string* blockTeacherFolder) {
  if (stream.isStoring()) {
    WriteBlock(stream);
    return;
  }
  Preferences read = *this;
  read.ReadBlock(stream, blockTeacherFolder);  // throws before anything here has changed
  read.Normalize();
  read.m_changed = true;
  *this = std::move(read);
}

void Preferences::WriteBlock(CourseStream& s) const {
  for (bool b : {flag0, disableSounds, neverAdjust, hideTime, flag4, expoSource, showTips, flag7, flag8, textToSpeech})
    s.WriteFlag(b);
  s.WriteByte(fontSize);
  s.WriteByte(bundledText);
  s.WriteByte(pageFormat);
  s.WriteU16(asterisks);
  s.WriteU16(0);  // Activities
  for (std::uint8_t b : spare) s.WriteByte(b);
  for (int slot = 0; slot < 3; ++slot) {
    const Folder& f = slot == kTeacherFolder ? teacherFolder() : folder(slot);
    // A path the one-byte length cannot hold is written as absent: cut, it would name
    // another folder when read back.
    s.WriteString(f.valid && f.path.size() <= CourseStream::kMaxString ? f.path : std::string());
  }
  const int n = UsedWindowEntries();
  s.WriteU16(static_cast<std::uint16_t>(n));
  for (int i = 0; i < n; ++i) {
    const WindowEntry& e = m_windows[static_cast<std::size_t>(i)];
    s.WriteU16(e.key);
    s.WriteRect(e.rect);
  }
}

void Preferences::ReadBlock(CourseStream& s, std::string* blockTeacherFolder) {
  for (bool* b : {&flag0, &disableSounds, &neverAdjust, &hideTime, &flag4, &expoSource, &showTips, &flag7, &flag8,
                  &textToSpeech})
    *b = s.ReadFlag("preference flag");
  fontSize = s.ReadByte("FontSize");
  bundledText = s.ReadByte("BundledText");
  pageFormat = s.ReadByte("PageFormat");
  asterisks = s.ReadU16("Asterisks");
  activities = s.ReadU16("Activities");
  for (std::uint8_t& b : spare) b = s.ReadByte("preference byte");
  const std::string teacher = s.ReadString("teacher folder");
  s.ReadString("program folder");  // where the file was written: of no use here
  s.ReadString("course volume");
  if (blockTeacherFolder) *blockTeacherFolder = teacher;
  const int n = s.ReadU16("window count");
  for (int i = 0; i < n; ++i) {
    const std::int16_t key = s.ReadI16("window key");
    const CourseRect rect = s.ReadRect("window rectangle");
    // Only entries written with a negated key are taken; the others (and key 0, a free
    // entry) leave the table as it is.
    if (key < 0) StoreRect(static_cast<std::uint16_t>(-static_cast<int>(key)), rect);
  }
}

// ---- course locations ----

void Preferences::DiscoverVolume() { DiscoverVolume(MountedVolumes()); }

void Preferences::DiscoverVolume(const std::vector<MountedVolume>& volumes) {
  const QString temp = QDir::tempPath();
  if (!temp.isEmpty())
    SetFolder(kTempFolder, WithSlash(temp.toStdString()));
  else
    folders[kTempFolder] = Folder{};

  std::optional<std::string> volume;
  if (!ExplicitCourseFolder()) volume = FindCourseVolume(PersonalityString(kKeyVolumes), volumes);
  if (!volume || !SetFolder(kCourseVolume, *volume)) folders[kCourseVolume] = Folder{};

  if (!SetFolder(kProgramFolder, WithSlash(CourseRootFolder().string()))) folders[kProgramFolder] = Folder{};
}

bool Preferences::OpenCourseFile(CourseFile& file, std::string_view name, int flags) const {
  return OpenCourseFileWith(this, file, name, flags);
}

bool Preferences::FindCourseFile(std::string_view name, int flags, std::filesystem::path& outPath) const {
  return FindCourseFileWith(this, name, flags, outPath);
}

// ---- profile byte encoding and the change hook ----

std::string EncodeProfileBytes(const std::vector<std::uint8_t>& bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    out += static_cast<char>('A' + (b & 0x0F));
    out += static_cast<char>('A' + (b >> 4));
  }
  return out;
}

std::optional<std::vector<std::uint8_t>> DecodeProfileBytes(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> out;
  out.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int lo = text[i] - 'A', hi = text[i + 1] - 'A';
    if (lo < 0 || lo > 15 || hi < 0 || hi > 15) return std::nullopt;
    out.push_back(static_cast<std::uint8_t>(lo | (hi << 4)));
  }
  return out;
}

PreferencesChangedHook SetPreferencesChangedHook(PreferencesChangedHook hook) {
  PreferencesChangedHook previous = std::move(ChangedHook());
  ChangedHook() = std::move(hook);
  return previous;
}

void NotifyPreferencesChanged(const Preferences& previous) {
  if (ChangedHook()) ChangedHook()(previous);
}
