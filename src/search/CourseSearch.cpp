#include "search/CourseSearch.h"

#include <algorithm>
#include <system_error>

#include "course/ActivityKind.h"
#include "course/AsciiCase.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"

namespace fs = std::filesystem;

namespace {

constexpr SearchTypeInfo kTypes[kSearchTypeCount] = {
    {"Lesson Book Pages", ".pag", nullptr, kKindPage},
    {"Expositions", ".exp", nullptr, kKindExposition},
    {"Exercises", ".fil", nullptr, kKindExercise},
    {"Explorations", ".ise", nullptr, kKindExploration},
    {"Movies", ".mtx", nullptr, kKindMovie},
    {"Hands-On Activities", ".scr", nullptr, kKindHandsOn},
    {"Documentation", ".doc", nullptr, kKindDocumentation},
    {"Asterisks", ".ast", "asterisk", kKindAsterisk},
    {"Projects", ".prj", "projects", kKindProject},
    {"Homework", ".wrk", "homework", kKindHomework},
    {"Labs", ".lab", "labs", kKindLab},
};

// Only names with an extension of exactly three characters after the last dot count.
std::string_view ExtensionOf(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || name.size() - dot != 4) return {};
  return name.substr(dot);
}

bool IsDocumentExtension(std::string_view extension) {
  for (int t = kSearchAsterisks; t <= kSearchLabs; ++t)
    if (extension == kTypes[t].extension) return true;
  return false;
}

struct Entry {
  std::string lower;
  std::string disk;
  fs::path path;
  bool folder = false;
};

// The entries of a folder by lower-cased name, those beginning with "#" left out.
std::vector<Entry> SortedEntries(const fs::path& folder) {
  std::vector<Entry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    Entry e;
    e.disk = it->path().filename().string();
    e.lower = ToAsciiLower(e.disk);
    if (e.lower.empty() || e.lower[0] == '#') continue;
    std::error_code typeError;
    e.folder = it->is_directory(typeError);
    if (!e.folder && !it->is_regular_file(typeError)) continue;
    e.path = it->path();
    entries.push_back(std::move(e));
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.lower != b.lower ? a.lower < b.lower : a.disk < b.disk;
  });
  return entries;
}

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t at = 0;
  while (true) {
    const std::size_t slash = path.find('/', at);
    parts.push_back(path.substr(at, slash == std::string_view::npos ? std::string_view::npos : slash - at));
    if (slash == std::string_view::npos) return parts;
    at = slash + 1;
  }
}

std::optional<ActivityLocator> ActivityOfLesson(const ContentsTable& contents, int lesson, std::string_view file) {
  const ContentsLesson* l = contents.Lesson(lesson);
  if (!l) return std::nullopt;
  for (int p = 0; p < l->pageCount; ++p) {
    const ContentsPage& page = l->pages[static_cast<std::size_t>(p)];
    for (int a = 0; a < page.activityCount; ++a) {
      const ContentsActivity& act = page.activities[static_cast<std::size_t>(a)];
      if (act.file != 0 && EqualNoCase(contents.String(act.file), file)) return ActivityLocator(lesson, p, a);
    }
  }
  return std::nullopt;
}

}  // namespace

const SearchTypeInfo& SearchTypeOf(int type) { return kTypes[std::clamp(type, 0, kSearchTypeCount - 1)]; }

int SearchTypeOfExtension(std::string_view extension) {
  for (int t = 0; t < kSearchAsterisks; ++t)
    if (extension == kTypes[t].extension) return t;
  return -1;
}

int SearchTypeOfFolder(std::string_view folder) {
  for (int t = kSearchAsterisks; t <= kSearchLabs; ++t)
    if (folder == kTypes[t].folder) return t;
  return -1;
}

LessonFolderFinder FolderUnder(fs::path root) {
  return [root = std::move(root)](std::string_view code) -> std::optional<fs::path> {
    if (code.empty()) return std::nullopt;
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
      std::error_code typeError;
      if (EqualNoCase(it->path().filename().string(), code) && it->is_directory(typeError)) return it->path();
    }
    return std::nullopt;
  };
}

std::string NormaliseScriptText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool first = true;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const bool dropped = !line.empty() && (line[0] == '-' || line[0] == ':' || line[0] == '+' || line[0] == '~');
    if (!dropped) {
      if (!first) out.push_back(' ');
      out.append(line);
      first = false;
    }
    at = end + 1;
  }
  return out;
}

std::optional<std::string> SearchTextOf(std::span<const std::uint8_t> bytes, std::string_view extension) {
  const auto text = [](std::span<const std::uint8_t> b) {
    return std::string(reinterpret_cast<const char*>(b.data()), b.size());
  };
  // A transcript or an exploration file is text from its first byte: read through a
  // container header, its first characters would be taken for the text's offset.
  if (extension == ".ise" || extension == ".mtx") return text(bytes);
  std::uint32_t offset = 0;
  try {
    offset = ContainerDirectory::Parse(bytes, bytes.size()).textOffset();
  } catch (const CourseFileError&) {
    return std::nullopt;
  }
  std::string body = text(bytes.subspan(offset));
  if (extension == ".exp" || extension == ".scr") return NormaliseScriptText(body);
  return body;
}

std::optional<std::string> ReadSearchText(const fs::path& file, std::string_view extension) {
  std::vector<std::uint8_t> bytes;
  try {
    CourseFile f = CourseFile::Open(file);
    bytes = f.readAll();
  } catch (const CourseFileError&) {
    return std::nullopt;
  }
  return SearchTextOf(bytes, extension);
}

std::optional<std::string> FirstDocumentPart(std::string_view name) {
  // At least the two characters to replace before ".doc".
  if (name.size() < 6) return std::nullopt;
  std::string first(name);
  first.replace(first.size() - 6, 2, "01");
  return first;
}

std::optional<int> PageOfName(std::string_view name) {
  if (name.size() < 5) return std::nullopt;
  const char digit = name[name.size() - 5];
  if (digit < '1' || digit > '9') return std::nullopt;
  return digit - '1';
}

std::optional<ActivityLocator> ResolveSearchHit(const ContentsTable& contents, int lesson, int type,
                                                std::string_view name) {
  const ContentsLesson* l = contents.Lesson(lesson);
  if (!l || type < 0 || type >= kSearchTypeCount) return std::nullopt;
  switch (type) {
    case kSearchPages: {
      const std::optional<int> page = PageOfName(name);
      if (!page || *page >= l->pageCount) return std::nullopt;
      return ActivityLocator(lesson, *page, -1);
    }
    case kSearchDocumentation: {
      const std::optional<std::string> first = FirstDocumentPart(name);
      return first ? ActivityOfLesson(contents, lesson, *first) : std::nullopt;
    }
    case kSearchMovies: {
      std::string movie(name.substr(0, name.size() - 4));
      movie += ".mov";
      return ActivityOfLesson(contents, lesson, movie);
    }
    case kSearchAsterisks:
    case kSearchProjects:
    case kSearchHomework:
    case kSearchLabs: {
      ActivityLocator document(lesson, -1, -1);
      document.kind = static_cast<std::uint8_t>(kTypes[type].kind);
      document.file = std::string(name);
      return document;
    }
    default:
      return ActivityOfLesson(contents, lesson, name);
  }
}

bool WalkAfter(std::string_view a, std::string_view b) { return Components(a) > Components(b); }

std::vector<CourseSearch::Candidate> CourseSearch::Candidates(const fs::path& folder,
                                                              const std::array<bool, kSearchTypeCount>& types) {
  std::vector<Candidate> out;
  for (const Entry& e : SortedEntries(folder)) {
    if (e.folder) {
      const int type = SearchTypeOfFolder(e.lower);
      if (type < 0 || !types[static_cast<std::size_t>(type)]) continue;
      for (const Entry& inner : SortedEntries(e.path)) {
        if (inner.folder || !IsDocumentExtension(ExtensionOf(inner.lower))) continue;
        out.push_back({e.lower + "/" + inner.lower, e.disk + "/" + inner.disk, inner.path, type});
      }
      continue;
    }
    const int type = SearchTypeOfExtension(ExtensionOf(e.lower));
    if (type < 0 || !types[static_cast<std::size_t>(type)]) continue;
    // The explorations' shared bar files are no activity of their own.
    if (type == kSearchExplorations && e.lower.find("bar.ise") != std::string::npos) continue;
    out.push_back({e.lower, e.disk, e.path, type});
  }
  return out;
}

CourseSearch::CourseSearch(const ContentsTable& contents, LessonFolderFinder findFolder)
    : m_contents(contents), m_findFolder(std::move(findFolder)) {}

SearchOutcome CourseSearch::Run(const SearchSettings& settings, const std::optional<SearchContinuation>& from,
                                std::size_t limit, const std::function<bool(const SearchProgress&)>& progress) const {
  SearchOutcome out;
  const TextMatcher matcher(settings.text, settings.method, settings.caseSensitive, settings.regex);
  if (!matcher.searchesSomething() || limit == 0) return out;
  const int count = m_contents.LessonCount();
  SearchProgress where;
  where.lessonCount = count;
  const auto goOn = [&] {
    if (progress && !progress(where)) out.cancelled = true;
    return !out.cancelled;
  };
  for (int lesson = from ? std::max(from->lesson, 0) : 0; lesson < count; ++lesson) {
    where.lessonsDone = lesson;
    where.fileIndex = where.fileCount = 0;
    if (!goOn()) return out;
    if (!settings.LessonIncluded(lesson)) continue;
    const std::string_view code = m_contents.String(m_contents.Lesson(lesson)->code);
    const std::optional<fs::path> folder = m_findFolder ? m_findFolder(code) : std::nullopt;
    if (!folder) continue;
    const bool resuming = from && from->lesson == lesson;
    const std::vector<Candidate> candidates = Candidates(*folder, settings.types);
    where.fileCount = static_cast<int>(candidates.size());
    where.fileIndex = 0;
    for (const Candidate& c : candidates) {
      ++where.fileIndex;
      if (resuming && !WalkAfter(c.path, from->path)) continue;
      // Cancelling is looked at between files, not only between lessons, so that a large
      // lesson does not keep the learner waiting.
      if (!goOn()) return out;
      std::optional<std::string> text = ReadSearchText(c.file, ExtensionOf(c.path));
      if (!text || !matcher.MatchesInPlace(*text)) continue;
      const std::size_t slash = c.path.rfind('/');
      const std::string_view name = slash == std::string::npos ? std::string_view(c.path) : std::string_view(c.path).substr(slash + 1);
      std::optional<ActivityLocator> locator = ResolveSearchHit(m_contents, lesson, c.type, name);
      if (!locator) continue;
      SearchHit hit;
      hit.lesson = lesson;
      hit.type = c.type;
      hit.path = c.path;
      hit.coursePath = folder->filename().string() + "/" + c.diskPath;
      hit.locator = std::move(*locator);
      out.hits.push_back(std::move(hit));
      if (out.hits.size() >= limit) {
        out.tooMany = limit > 1;
        out.continuation = SearchContinuation{lesson, c.path};
        return out;
      }
    }
  }
  where.lessonsDone = count;
  where.fileIndex = where.fileCount = 0;
  if (progress) progress(where);
  return out;
}

std::vector<ActivityLocator> UniqueLocators(const std::vector<SearchHit>& hits) {
  std::vector<ActivityLocator> out;
  for (const SearchHit& hit : hits)
    if (std::find(out.begin(), out.end(), hit.locator) == out.end()) out.push_back(hit.locator);
  return out;
}
