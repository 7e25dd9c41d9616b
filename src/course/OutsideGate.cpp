#include "course/OutsideGate.h"

#include <sys/stat.h>

#include <QtCore/QBuffer>
#include <QtCore/QByteArray>
#include <QtCore/QMimeDatabase>
#include <QtCore/QProcess>
#include <QtCore/QStringList>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <cctype>
#include <cerrno>

#include "course/AsciiCase.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "course/Preferences.h"
#include "course/Services.h"

namespace fs = std::filesystem;

namespace {

DocumentOpener& Opener() {
  static DocumentOpener opener = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
  return opener;
}

ProgramStarter& Starter() {
  static ProgramStarter starter = StartDetachedProgram;
  return starter;
}

bool IsWithin(const fs::path& path, const fs::path& root) {
  auto p = path.begin();
  for (auto r = root.begin(); r != root.end(); ++r, ++p) {
    if (r->empty()) continue;  // a root ending in a separator
    if (p == path.end() || *p != *r) return false;
  }
  return true;
}

HandOff Refuse(std::string* reason, std::string why) {
  if (reason) *reason = std::move(why);
  return HandOff::Refused;
}

// The MIME types the desktop would run rather than show; a type inheriting from one of
// them counts as well.
constexpr const char* kRunnableTypes[] = {
    "application/x-executable",   "application/x-sharedlib",     "application/x-pie-executable",
    "application/x-shellscript",  "application/x-desktop",       "application/x-ms-dos-executable",
    "application/x-msdownload",   "application/x-msi",           "application/vnd.microsoft.portable-executable",
    "application/x-perl",         "application/x-ruby",          "text/x-python",
    "text/x-python3",             "application/x-java-archive",  "application/x-java-jnlp-file",
    "application/x-flatpak-ref",  "application/vnd.flatpak.ref", "application/vnd.appimage",
    "application/x-appimage",     "application/x-executable-script",
};

// What the first megabyte of the file shows it to be; null when none of the runnable
// kinds. The file is opened as course files are (non-blocking, regular files only).
const char* RunnableContent(const fs::path& path, std::string* unreadable) {
  std::vector<std::uint8_t> bytes;
  try {
    CourseFile file = CourseFile::Open(path);
    const std::uint64_t size = file.size();
    bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size, kSniffBytes)));
    bytes.resize(file.read(bytes.data(), bytes.size()));
  } catch (const CourseFileError& e) {
    *unreadable = e.reason();
    return "the file cannot be read";
  }
  const std::string_view start(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (const char* why = ProgramKindOfStart(start)) return why;
  const QByteArray data = QByteArray::fromRawData(start.data(), static_cast<qsizetype>(start.size()));
  const QMimeType type = QMimeDatabase().mimeTypeForData(data);
  for (const char* runnable : kRunnableTypes)
    if (type.inherits(QString::fromLatin1(runnable))) return "the desktop would run it";
  return nullptr;
}

bool IsExecutable(mode_t mode) { return (mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0; }

}  // namespace

std::vector<fs::path> AcceptedCourseFolders(const Preferences* prefs, int flags) {
  if (!prefs) prefs = Service<Preferences>();
  std::vector<fs::path> candidates;
  if (!prefs) {
    if (flags & kSearchProgramFolder) candidates.push_back(CourseRootFolder() / "course");
  } else {
    const auto& teacher = prefs->teacherFolder();
    const auto& program = prefs->folder(Preferences::kProgramFolder);
    const auto& volume = prefs->folder(Preferences::kCourseVolume);
    if ((flags & kSearchTeacherFolder) && teacher.valid) candidates.push_back(fs::path(teacher.path));
    if ((flags & kSearchProgramFolder) && program.valid) candidates.push_back(fs::path(program.path) / "course");
    if ((flags & kSearchCourseVolume) && volume.valid) candidates.push_back(fs::path(volume.path) / "course");
  }
  std::vector<fs::path> roots;
  for (const fs::path& c : candidates) {
    // The locator matches folder names without regard to case; so must the roots.
    std::error_code ec;
    fs::path folder = c;
    if (!fs::is_directory(folder, ec) && c.filename() == "course") {
      folder.clear();
      for (const auto& entry : fs::directory_iterator(c.parent_path(), ec))
        if (entry.is_directory(ec) && ToAsciiLower(entry.path().filename().string()) == "course") {
          folder = entry.path();
          break;
        }
      if (folder.empty()) continue;
    }
    fs::path canonical = fs::canonical(folder, ec);
    if (!ec && fs::is_directory(canonical, ec)) roots.push_back(std::move(canonical));
  }
  return roots;
}

std::vector<fs::path> AcceptedCourseFolders(const Preferences* prefs) {
  return AcceptedCourseFolders(prefs, kSearchTeacherFolder | kSearchCourse);
}

bool IsInsideFolders(const fs::path& path, const std::vector<fs::path>& roots) {
  std::error_code ec;
  const fs::path canonical = fs::canonical(path, ec);
  if (ec) return false;
  for (const fs::path& root : roots)
    if (canonical != root && IsWithin(canonical, root)) return true;
  return false;
}

const char* ProgramKindOfStart(std::string_view start) {
  if (start.starts_with("#!")) return "it is a script";
  if (start.starts_with("\x7f" "ELF")) return "it is a program";
  if (start.starts_with("MZ")) return "it is a program";
  // A desktop entry may begin with any number of comments and blank lines before its
  // group header.
  std::size_t at = 0;
  while (at < start.size()) {
    const std::size_t end = start.find('\n', at);
    std::string_view line = start.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front()))) line.remove_prefix(1);
    if (!line.empty() && line.front() != '#') return line.starts_with("[Desktop Entry]") ? "it is a desktop entry" : nullptr;
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  return nullptr;
}

bool IsPlainDocument(const fs::path& path, std::string* reason) {
  auto refuse = [&](std::string why) {
    if (reason) *reason = std::move(why);
    return false;
  };
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return refuse("the file cannot be examined");
  if (!S_ISREG(st.st_mode)) return refuse("it is not a plain file");
  if (IsExecutable(st.st_mode)) return refuse("it is a program");
  if (ToAsciiLower(path.filename().string()).ends_with(".desktop")) return refuse("it is a desktop entry");
  std::string unreadable;
  if (const char* why = RunnableContent(path, &unreadable)) return refuse(why);
  return true;
}

HandOff OpenOutsideDocument(const fs::path& file, const std::vector<fs::path>& roots, std::string* reason) {
  std::error_code ec;
  const fs::path canonical = fs::canonical(file, ec);
  if (ec) return Refuse(reason, "the file cannot be examined");
  if (!IsInsideFolders(canonical, roots)) return Refuse(reason, "the file lies outside the course folders");
  if (!IsPlainDocument(canonical, reason)) return HandOff::Refused;
  return Opener()(QString::fromStdString(canonical.string())) ? HandOff::Done : HandOff::Failed;
}

HandOff OpenOutsideFolder(const fs::path& folder, const std::vector<fs::path>& roots, std::string* reason) {
  std::error_code ec;
  const fs::path canonical = fs::canonical(folder, ec);
  if (ec || !fs::is_directory(canonical, ec)) return Refuse(reason, "it is not a folder");
  bool inside = false;
  for (const fs::path& root : roots) inside = inside || canonical == root || IsWithin(canonical, root);
  if (!inside) return Refuse(reason, "the folder lies outside the course folders");
  return Opener()(QString::fromStdString(canonical.string())) ? HandOff::Done : HandOff::Failed;
}

HandOff StartOutsideProgram(const fs::path& program, const std::vector<std::string>& arguments,
                            const std::vector<fs::path>& roots, int* error, std::string* reason) {
  std::error_code ec;
  const fs::path canonical = fs::canonical(program, ec);
  if (ec) return Refuse(reason, "the program cannot be examined");
  if (!IsInsideFolders(canonical, roots)) return Refuse(reason, "the program lies outside the course folders");
  if (!fs::is_regular_file(canonical, ec)) return Refuse(reason, "the program is not a plain file");
  return Starter()(canonical.string(), arguments, error) ? HandOff::Done : HandOff::Failed;
}

HandOff OpenSetupDocument(const fs::path& path, std::string* reason) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return Refuse(reason, "it does not exist");
  if (S_ISREG(st.st_mode)) {
    std::string unreadable;
    if (const char* why = RunnableContent(path, &unreadable)) return Refuse(reason, why);
  } else if (!S_ISDIR(st.st_mode)) {
    return Refuse(reason, "it is neither a file nor a folder");
  }
  return Opener()(QString::fromStdString(path.string())) ? HandOff::Done : HandOff::Failed;
}

HandOff StartSetupProgram(const fs::path& program, const std::vector<std::string>& arguments,
                          const fs::path& workingFolder, std::string* reason) {
  struct stat st {};
  if (::stat(program.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !IsExecutable(st.st_mode))
    return Refuse(reason, "it is not a program");
  QStringList args;
  for (const auto& a : arguments) args << QString::fromStdString(a);
  return QProcess::startDetached(QString::fromStdString(program.string()), args,
                                 QString::fromStdString(workingFolder.string()))
             ? HandOff::Done
             : HandOff::Failed;
}

DocumentOpener SetDocumentOpener(DocumentOpener opener) {
  DocumentOpener previous = std::move(Opener());
  Opener() = std::move(opener);
  return previous;
}

ProgramStarter SetProgramStarter(ProgramStarter starter) {
  ProgramStarter previous = std::move(Starter());
  Starter() = std::move(starter);
  return previous;
}

bool StartDetachedProgram(const std::string& program, const std::vector<std::string>& arguments, int* error) {
  QProcess process;
  process.setProgram(QString::fromStdString(program));
  QStringList args;
  for (const std::string& a : arguments) args << QString::fromStdString(a);
  process.setArguments(args);
  errno = 0;
  if (process.startDetached()) return true;
  if (error) *error = errno != 0 ? errno : ENOEXEC;
  return false;
}
