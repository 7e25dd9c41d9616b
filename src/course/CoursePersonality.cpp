#include "course/CoursePersonality.h"

#include <array>
#include <climits>
#include <new>

#include "course/AsciiCase.h"
#include "course/CommandIds.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "course/CourseModelLinks.h"
#include "course/CoursePath.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/ProgramResources.h"
#include "course/ResourceContainer.h"
#include "course/Services.h"
#include "course/StringIds.h"

namespace {

using T = PersonalityType;

constexpr std::array<PersonalityKey, 32> kKeys = {{
    {kKeyApplication, "Application", T::String, 0},
    {kKeyCustomBookmark, "Custom Bookmark", T::Integer, 0},
    {kKeyDatasetsFolder, "Datasets Folder", T::String, 0},
    {kKeyDatasetsName, "Datasets Name", T::String, 0},
    {kKeyDisableSounds, "Disable Sounds", T::Boolean, 0},
    {kKeyDogEar, "Dog Ear", T::Boolean, 1},
    {kKeyExploreApplication, "Explore Application", T::String, 0},
    {kKeyExploreDocs, "Explore Docs", T::String, 0},
    {kKeyExploreHelp, "Explore Help", T::String, 0},
    {kKeyExploreName, "Explore Name", T::String, 0},
    {kKeyExploreSuffix, "Explore Suffix", T::String, 0},
    {kKeyExploreTutor, "Explore Tutor", T::String, 0},
    {kKeyExpoBackground, "Expo Background", T::String, 0},
    {kKeyExpoFont, "Expo Font", T::String, 0},
    {kKeyFlavor, "Flavor", T::String, 0},
    {kKeyGlossaryFont, "Glossary Font", T::String, 0},
    {kKeyGoalIcon, "Goal Icon", T::Boolean, 1},
    {kKeyHelpGuide, "Help Guide", T::Boolean, 1},
    {kKeyHomework, "Homework", T::Boolean, 1},
    {kKeyLessonBase, "Lesson Base", T::Integer, 1},
    {kKeyLessonFont, "Lesson Font", T::String, 0},
    {kKeyLinkColor, "Link Color", T::Colour, 0},
    {kKeyIndexIcons, "Index Icons", T::Boolean, 1},
    {kKeyPageFormat, "Page Format", T::Integer, 0},
    {kKeyPageNumber, "Page Number", T::Boolean, 1},
    {kKeyProjects, "Projects", T::Boolean, 1},
    {kKeyQuickTime, "QuickTime", T::Boolean, 1},
    {kKeyShrinkExplanation, "Shrink Explanation", T::Boolean, 1},
    {kKeySplashMovie, "Splash Movie", T::String, 0},
    {kKeyTocIcons, "TOC Icons", T::Boolean, 1},
    {kKeyVolumes, "Volumes", T::String, 0},
    {kKeyWindowsSuffix, "Windows Suffix", T::String, 0},
}};


// The string-table default of a key, as course bytes.
std::string DefaultValue(int id) { return Utf8ToCourse(ProgramString(id)); }

}  // namespace

std::span<const PersonalityKey> PersonalityKeys() { return kKeys; }

const PersonalityKey* FindPersonalityKey(int id) {
  for (const auto& k : kKeys)
    if (k.id == id) return &k;
  return nullptr;
}

bool ParsePersonalityBool(std::string_view value, bool fallback) {
  if (value.empty()) return fallback;
  return EqualNoCase(value, "true") || value == "1";
}

int ParsePersonalityInt(std::string_view value, int fallback) {
  if (value.empty()) return fallback;
  std::size_t i = 0;
  while (i < value.size() && (value[i] == ' ' || value[i] == '\t')) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
  long long n = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    n = n * 10 + (value[i] - '0');
    if (n > INT_MAX) n = static_cast<long long>(INT_MAX) + 1;  // saturate; keeps the sign test below exact
  }
  if (negative) return n > INT_MAX ? INT_MIN : static_cast<int>(-n);
  return n > INT_MAX ? INT_MAX : static_cast<int>(n);
}

std::optional<QColor> ParsePersonalityColor(std::string_view value) {
  if (!value.empty() && value[0] == '#') {
    if (value.size() != 7) return std::nullopt;
    int rgb[3];
    for (int c = 0; c < 3; ++c) {
      const int hi = AsciiHexDigit(value[1 + 2 * c]), lo = AsciiHexDigit(value[2 + 2 * c]);
      if (hi < 0 || lo < 0) return std::nullopt;
      rgb[c] = hi * 16 + lo;
    }
    return QColor(rgb[0], rgb[1], rgb[2]);
  }
  if (value.empty() || value.size() > 10) return std::nullopt;
  unsigned long long n = 0;
  for (char c : value) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + static_cast<unsigned>(c - '0');
  }
  if (n > 0xFFFFFF) return std::nullopt;
  return QColor(static_cast<int>((n >> 16) & 0xFF), static_cast<int>((n >> 8) & 0xFF), static_cast<int>(n & 0xFF));
}

CoursePersonality::CoursePersonality() {
  const std::filesystem::path root = CourseRootFolder();
  const auto found = ResolveCoursePath(root, kFileName);
  m_path = (found ? *found : root / kFileName).string();
  if (found) Load([&] { return ResourceContainer::Open(*found); });
  CacheValues();
}

CoursePersonality::CoursePersonality(const std::filesystem::path& file) {
  m_path = file.string();
  Load([&] { return ResourceContainer::Open(file); });
  CacheValues();
}

std::unique_ptr<CoursePersonality> CoursePersonality::FromBytes(std::vector<std::uint8_t> bytes, std::string label) {
  std::unique_ptr<CoursePersonality> p(new CoursePersonality(Empty{}));
  p->m_path = label;
  p->Load([&] { return ResourceContainer::FromBytes(std::move(bytes), label); });
  p->CacheValues();
  return p;
}

CoursePersonality::CoursePersonality(Empty) {}
CoursePersonality::~CoursePersonality() = default;

void CoursePersonality::Load(const std::function<ResourceContainer()>& open) {
  try {
    m_container = std::make_unique<ResourceContainer>(open());
    m_state = LoadState::Loaded;
  } catch (const CourseFileError& e) {
    m_container.reset();
    if (e.kind() == CourseFileError::Kind::NotFound) {
      m_state = LoadState::Missing;
      return;
    }
    m_state = LoadState::Damaged;
    m_error = e.what();
    ShowPlainMessage("Cannot load personality file");
  } catch (const std::bad_alloc&) {
    // No room for the directory: the file is closed and the defaults serve, without a message.
    m_container.reset();
    m_state = LoadState::Damaged;
    m_error = "out of memory reading the directory";
  }
}

void CoursePersonality::CacheValues() {
  m_hasExploreHelp = !GetString(kKeyExploreHelp).empty();
  m_hasExploreDocs = !GetString(kKeyExploreDocs).empty();
  m_hasExploreTutor = !GetString(kKeyExploreTutor).empty();
  m_hasDatasetsName = !GetString(kKeyDatasetsName).empty();
  m_helpGuide = GetBool(kKeyHelpGuide, true);
  m_goalIcon = GetBool(kKeyGoalIcon, true);
  m_tocIcons = GetBool(kKeyTocIcons, true);
  m_indexIcons = GetBool(kKeyIndexIcons, true);
  m_dogEar = GetBool(kKeyDogEar, true);
  m_shrinkExplanation = GetBool(kKeyShrinkExplanation, true);
  m_pageNumber = GetBool(kKeyPageNumber, true);
  m_homework = GetBool(kKeyHomework, true);
  m_projects = GetBool(kKeyProjects, true);
  m_customBookmark = GetInt(kKeyCustomBookmark, 0);
}

std::optional<std::string> CoursePersonality::FileValue(int id) const {
  const PersonalityKey* key = FindPersonalityKey(id);
  if (!key || !m_container) return std::nullopt;
  const ContainerEntry* e = m_container->FindEntry(key->name, kEntryText);
  if (!e || e->length >= kMaxValue) return std::nullopt;
  try {
    const auto data = m_container->ReadEntry(*e);
    std::string value(data.begin(), data.end());
    value.resize(std::min(value.size(), value.find('\0')));
    return value;
  } catch (const CourseFileError&) {
    return std::nullopt;  // the file changed under us: the default serves
  }
}

std::string CoursePersonality::GetString(int id) const {
  if (auto v = FileValue(id)) return *v;
  return DefaultValue(id);
}

bool CoursePersonality::FromFile(int id) const { return FileValue(id).has_value(); }

bool CoursePersonality::GetBool(int id, bool fallback) const { return ParsePersonalityBool(GetString(id), fallback); }

int CoursePersonality::GetInt(int id, int fallback) const { return ParsePersonalityInt(GetString(id), fallback); }

QColor CoursePersonality::GetColor(int id) const {
  if (auto c = ParsePersonalityColor(GetString(id))) return *c;
  if (auto c = ParsePersonalityColor(DefaultValue(id))) return *c;
  return QColor(0, 0, 0);
}

bool CoursePersonality::HasEntry(int type, std::string_view name) const {
  return m_container && m_container->FindEntry(name, type) != nullptr;
}

std::optional<std::vector<std::uint8_t>> CoursePersonality::ReadEntry(int type, std::string_view name) const {
  if (!m_container) return std::nullopt;
  try {
    return m_container->ReadEntry(name, type);
  } catch (const CourseFileError&) {
    return std::nullopt;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

bool CoursePersonality::LoadText(int resourceId, std::string_view name, std::string& out) const {
  if (auto text = ReadEntry(kEntryText, name)) {
    out.assign(text->begin(), text->end() - 1);  // without the terminator ReadEntry added
    return true;
  }
  if (auto text = ProgramResource("text", resourceId))
    out.assign(text->begin(), text->end());
  else
    out.clear();
  return false;
}

std::string CoursePersonality::ExpandName(std::string_view name) const {
  if (EqualNoCase(name, "application")) return GetString(kKeyApplication);
  if (EqualNoCase(name, "explore")) return GetString(kKeyExploreName);
  if (EqualNoCase(name, "bundle")) {
    const Preferences* prefs = Service<Preferences>();
    const std::size_t chosen = prefs ? prefs->bundledText : 0;
    if (auto bundles = LinkedBundles(); bundles && chosen < bundles->size()) return (*bundles)[chosen].value;
    return {};
  }
  const auto place = LinkedResolve(name);
  if (!place || place->lesson < 0) return {};
  const long long lesson = static_cast<long long>(GetInt(kKeyLessonBase, 1)) + place->lesson;
  if (place->page >= 0 && place->page < 9)
    return std::to_string(lesson) + "-" + std::to_string(place->page + 1);
  return std::to_string(lesson);
}

std::vector<MenuTextChange> CoursePersonality::MenuRewrites() const {
  const std::string app = CourseToUtf8(GetString(kKeyApplication));
  const std::string explore = CourseToUtf8(GetString(kKeyExploreName));
  const std::string datasets = CourseToUtf8(GetString(kKeyDatasetsName));
  std::vector<MenuTextChange> out = {
      {cmd::kExit, false, FormatProgramString(str::kMenuExit, app)},
      {cmd::kAbout, false, FormatProgramString(str::kMenuAbout, app)},
      {cmd::kHelpContents, false, FormatProgramString(str::kMenuHelp, app)},
      {cmd::kLaunchExplore, false, FormatProgramString(str::kMenuLaunchExplore, explore)},
  };
  if (!GetString(kKeyExploreDocs).empty())
    out.push_back({cmd::kExploreDocs, false, FormatProgramString(str::kMenuExploreDocs, explore)});
  else
    out.push_back({cmd::kExploreDocs, true, {}});
  out.push_back({cmd::kExploreHelp, false, FormatProgramString(str::kMenuHelp, explore)});
  if (!datasets.empty()) out.push_back({cmd::kListDatasets, false, FormatProgramString(str::kMenuListDatasets, datasets)});
  return out;
}

std::string PersonalityString(int id) {
  if (const CoursePersonality* p = Service<CoursePersonality>()) return p->GetString(id);
  return DefaultValue(id);
}

bool PersonalityBool(int id, bool fallback) { return ParsePersonalityBool(PersonalityString(id), fallback); }

int PersonalityInt(int id, int fallback) { return ParsePersonalityInt(PersonalityString(id), fallback); }
