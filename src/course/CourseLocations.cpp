#include "course/CourseLocations.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QStorageInfo>
#include <QtCore/QString>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CoursePath.h"
#include "course/CourseText.h"
#include "course/Preferences.h"
#include "course/Services.h"

namespace {

std::optional<std::filesystem::path>& CommandLineFolder() {
  static std::optional<std::filesystem::path> folder;
  return folder;
}

bool IsFolder(const std::filesystem::path& p) {
  std::error_code ec;
  return !p.empty() && std::filesystem::is_directory(p, ec);
}

std::filesystem::path Absolute(const std::filesystem::path& p) {
  std::error_code ec;
  auto abs = std::filesystem::absolute(p, ec);
  return ec ? p : abs.lexically_normal();
}

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

// A base folder and what to put before the name inside it.
struct Candidate {
  std::filesystem::path base;
  const char* prefix;
};

std::vector<Candidate> Candidates(const Preferences* prefs, int flags) {
  std::vector<Candidate> out;
  if (!prefs) {
    if (flags & kSearchProgramFolder) out.push_back({CourseRootFolder(), "course\\"});
    return out;
  }
  const auto& teacher = prefs->teacherFolder();
  const auto& program = prefs->folder(Preferences::kProgramFolder);
  const auto& volume = prefs->folder(Preferences::kCourseVolume);
  if ((flags & kSearchTeacherFolder) && teacher.valid) out.push_back({teacher.path, ""});
  if ((flags & kSearchProgramFolder) && program.valid) out.push_back({program.path, "course\\"});
  if ((flags & kSearchCourseVolume) && volume.valid) out.push_back({volume.path, "course\\"});
  return out;
}

// An empty name (or one of separators only) would resolve to the folder itself.
bool NamesSomething(std::string_view name) { return !SplitCourseName(name).empty(); }

[[noreturn]] void ThrowNotFound(std::string_view name) {
  throw CourseFileError(CourseFileError::Kind::NotFound, std::string(name), "file not found");
}

}  // namespace

std::filesystem::path ProgramFolder() {
  if (QCoreApplication::instance()) {
    const QString dir = QCoreApplication::applicationDirPath();
    if (!dir.isEmpty()) return std::filesystem::path(dir.toStdString());
  }
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec && exe.has_parent_path()) return exe.parent_path();
  return std::filesystem::current_path(ec);
}

std::optional<std::filesystem::path> ExplicitCourseFolder() {
  if (CommandLineFolder()) return CommandLineFolder();
  const char* env = std::getenv(kCourseFolderVariable);
  if (env && *env && IsFolder(env)) return Absolute(env);
  return std::nullopt;
}

void SetExplicitCourseFolder(std::optional<std::filesystem::path> folder) {
  if (folder) folder = Absolute(*folder);
  CommandLineFolder() = std::move(folder);
}

std::filesystem::path CourseRootFolder() {
  if (auto folder = ExplicitCourseFolder()) return *folder;
  return ProgramFolder();
}

CourseFolderOption TakeCourseFolderOption(int& argc, char** argv) {
  const std::size_t optLen = std::strlen(kCourseFolderOption);
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strncmp(arg, kCourseFolderOption, optLen) != 0) continue;
    std::string value;
    int taken = 0;
    if (arg[optLen] == '=') {
      value = arg + optLen + 1;
      taken = 1;
    } else if (arg[optLen] == '\0') {
      if (i + 1 >= argc) return {false, "--course needs a folder"};
      value = argv[i + 1];
      taken = 2;
    } else {
      continue;  // some other option that merely begins with the same letters
    }
    for (int j = i; j + taken <= argc; ++j) argv[j] = argv[j + taken];  // keeps argv[argc] == nullptr
    argc -= taken;
    if (!IsFolder(value)) return {false, "course folder '" + value + "' does not exist"};
    SetExplicitCourseFolder(std::filesystem::path(value));
    return {};
  }
  if (const char* env = std::getenv(kCourseFolderVariable); env && *env && !IsFolder(env))
    return {false, "KESTRELON_COURSE: course folder '" + std::string(env) + "' does not exist"};
  return {};
}

std::vector<MountedVolume> MountedVolumes() {
  std::vector<MountedVolume> out;
  for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
    if (!info.isValid() || !info.isReady()) continue;  // a drive that does not answer
    out.push_back({std::filesystem::path(info.rootPath().toStdString()), info.name().toStdString()});
  }
  return out;
}

std::optional<std::string> FindCourseVolume(std::string_view volumesValue, const std::vector<MountedVolume>& volumes) {
  struct Pair {
    QString label;
    std::string subfolder;
  };
  std::vector<std::string> tokens;
  std::size_t start = 0;
  while (start < volumesValue.size()) {
    std::size_t end = volumesValue.find(';', start);
    if (end == std::string_view::npos) end = volumesValue.size();
    tokens.emplace_back(volumesValue.substr(start, end - start));
    start = end + 1;
  }
  std::vector<Pair> pairs;
  for (std::size_t i = 0; i < tokens.size(); i += 2)
    pairs.push_back({QString::fromStdString(CourseToUtf8(tokens[i])), i + 1 < tokens.size() ? tokens[i + 1] : ""});

  for (const MountedVolume& v : volumes) {
    if (v.label.empty()) continue;
    const QString label = QString::fromStdString(v.label);
    for (const Pair& p : pairs) {
      if (p.label.compare(label, Qt::CaseInsensitive) != 0) continue;
      std::string root = WithSlash(v.root.string());
      if (p.subfolder.empty() || p.subfolder[0] == ' ') return root;
      // Disc file systems often change the case of names: find the subfolder as it is on disc.
      if (auto found = ResolveCoursePath(v.root, p.subfolder)) return WithSlash(found->string());
      std::string sub = CourseToUtf8(p.subfolder);
      for (char& c : sub)
        if (c == '\\') c = '/';
      return WithSlash(root + sub);
    }
  }
  return std::nullopt;
}

std::string OpenCourseName(std::string_view name) {
  std::string out(name);
  if (!out.empty() && out[0] == '/') {
    out.erase(0, 1);
    for (char& c : out)
      if (c == '/') c = '\\';
  }
  return out;
}

std::string FindCourseName(std::string_view name) {
  std::string out(name);
  if (out.find(':') == std::string::npos) return out;
  if (out[0] == ':') out.erase(0, 1);
  for (char& c : out)
    if (c == ':') c = '\\';
  return out;
}

bool OpenCourseFileWith(const Preferences* prefs, CourseFile& file, std::string_view name, int flags) {
  const std::string rewritten = OpenCourseName(name);
  if (!NamesSomething(rewritten)) {
    if (flags & kRaiseIfMissing) ThrowNotFound(name);
    return false;
  }
  const auto mode = (flags & kOpenReadWrite) ? CourseFile::Mode::ReadWrite : CourseFile::Mode::Read;
  for (const Candidate& c : Candidates(prefs, flags)) {
    const auto path = ResolveCoursePath(c.base, c.prefix + rewritten);
    if (!path) continue;
    try {
      file = CourseFile::Open(*path, mode);
      return true;
    } catch (const CourseFileError& e) {
      if (e.kind() == CourseFileError::Kind::SharingViolation && (flags & kRaiseIfMissing)) throw;
      // Any other failure (a folder of that name, no permission): try the next folder.
    }
  }
  if (flags & kRaiseIfMissing) ThrowNotFound(name);
  return false;
}

bool FindCourseFileWith(const Preferences* prefs, std::string_view name, int flags, std::filesystem::path& outPath) {
  const std::string rewritten = FindCourseName(name);
  if (!NamesSomething(rewritten)) {
    if (flags & kRaiseIfMissing) ThrowNotFound(name);
    return false;
  }
  for (const Candidate& c : Candidates(prefs, flags)) {
    if (auto path = ResolveCoursePath(c.base, c.prefix + rewritten)) {
      outPath = std::move(*path);
      return true;
    }
  }
  if (flags & kRaiseIfMissing) ThrowNotFound(name);
  return false;
}

bool OpenCourseFile(CourseFile& file, std::string_view name, int flags) {
  return OpenCourseFileWith(Service<Preferences>(), file, name, flags);
}

bool FindCourseFile(std::string_view name, int flags, std::filesystem::path& outPath) {
  return FindCourseFileWith(Service<Preferences>(), name, flags, outPath);
}
