#include "records/MarkerFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "course/AsciiCase.h"
#include "course/ContentsServices.h"
#include "course/ContentsTable.h"
#include "course/CourseLocations.h"
#include "course/CoursePath.h"
#include "course/Notice.h"
#include "course/OutsideGate.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "course/StringIds.h"

namespace {
// A request shown back to the learner is cut to this many bytes.
constexpr std::size_t kMaxShownCommand = 259;

bool IsNameByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '.' ||
         c == '_' || c == '-' || c >= 0x80;
}

// One component of an identifier: something a course file or lesson code can be called.
bool IsPlainComponent(std::string_view c) {
  if (c.empty() || c.front() == '-' || c.front() == ' ') return false;
  if (c.find_first_not_of('.') == std::string_view::npos) return false;  // ".", "..", "..."
  for (unsigned char b : c)
    if (!IsNameByte(b)) return false;
  return true;
}

// Requests arrive as UTF-8 (the hand-off checks it); control bytes are blanked so that
// the notice shows one line.
std::string Shown(std::string_view text) {
  std::string out(text.substr(0, kMaxShownCommand));
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return out;
}

// Read-only as the learner set it: no write permission for the owner, or none for us.
bool IsReadOnly(const std::filesystem::path& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return true;
  return (st.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// A marker is deleted after use unless it is read-only: whoever made it read-only means
// to use it again, whatever became of this request.
bool Delete(const std::filesystem::path& path) { return !IsReadOnly(path) && ::unlink(path.c_str()) == 0; }

struct MarkerRead {
  enum class Status { Ok, CannotOpen, NotRegular, Corrupted } status = Status::Ok;
  std::string text;
};

MarkerRead ReadMarker(const std::filesystem::path& path) {
  MarkerRead r;
  // O_NOFOLLOW: a link is not a marker the browser wrote; O_NONBLOCK: a FIFO must not
  // stall the program.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) {
    r.status = errno == ELOOP ? MarkerRead::Status::NotRegular : MarkerRead::Status::CannotOpen;
    return r;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    r.status = MarkerRead::Status::NotRegular;
    return r;
  }
  if (st.st_size > static_cast<off_t>(kMaxMarkerBytes)) {
    ::close(fd);
    r.status = MarkerRead::Status::Corrupted;
    return r;
  }
  char buffer[kMaxMarkerBytes + 1];
  std::size_t got = 0;
  for (;;) {
    const ssize_t n = ::read(fd, buffer + got, sizeof buffer - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      r.status = MarkerRead::Status::Corrupted;
      break;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
    if (got > kMaxMarkerBytes) {  // grew while being read
      r.status = MarkerRead::Status::Corrupted;
      break;
    }
  }
  ::close(fd);
  r.text.assign(buffer, got);
  return r;
}
}  // namespace

std::optional<std::string> ParseOpenCommand(std::string_view command) {
  constexpr std::string_view kHead = "[open(\"";
  constexpr std::string_view kTail = "\")]";
  if (command.size() < 15) return std::nullopt;
  if (!StartsWithNoCase(command, kHead)) return std::nullopt;
  if (command.substr(command.size() - kTail.size()) != kTail) return std::nullopt;
  return std::string(command.substr(kHead.size(), command.size() - kHead.size() - kTail.size()));
}

std::optional<std::string> MarkerIdentifier(std::string_view text) {
  // Editors end a line; nothing else may follow the name.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  if (text.empty()) return std::nullopt;

  std::string id(text);
  if (id.front() != ':') {
    // A plain file name or "code\file"; a ":" here would be a drive letter or a stray.
    if (id.find(':') != std::string::npos) return std::nullopt;
    const std::size_t slash = id.find('\\');
    if (slash != std::string::npos) {
      id[slash] = ':';
      id.insert(id.begin(), ':');
    }
  }

  // Components between ":" and "\" separators, after the leading ":".
  std::string_view rest(id);
  if (rest.front() == ':') rest.remove_prefix(1);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = rest.find_first_of(":\\", start);
    const std::string_view component = rest.substr(start, end == std::string_view::npos ? rest.npos : end - start);
    if (!IsPlainComponent(component)) return std::nullopt;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return id;
}

bool StaysInCourseFolders(const ActivityLocator& locator, const ContentsTable& contents,
                          const std::vector<std::filesystem::path>& roots) {
  const std::string coursePath = locator.Path(contents, locator.FileName(contents));
  if (!IsSafeCourseName(coursePath)) return false;
  for (const auto& root : roots) {
    const auto found = ResolveCoursePath(root, coursePath);
    if (!found) continue;
    std::error_code ec;
    const auto realRoot = std::filesystem::canonical(root, ec);
    if (ec) return false;
    // A dangling link cannot be canonicalised: it points somewhere that is not the course.
    const auto realFile = std::filesystem::canonical(*found, ec);
    if (ec) return false;
    const auto rel = realFile.lexically_relative(realRoot);
    if (rel.empty() || *rel.begin() == "..") return false;
  }
  return true;
}

MarkerResult OpenMarker(std::string_view command, MarkerHost& host) {
  MarkerResult result;
  const auto path = ParseOpenCommand(command);
  if (!path) {
    ShowNotice(str::kCannotExecuteOle, Shown(command));
    return result;
  }
  if (EndsWithNoCase(*path, ".mrk")) {
    ShowNotice(str::kBookmarkFileLaunched);
    result.outcome = MarkerOutcome::BookmarkFile;
    return result;
  }
  if (!EndsWithNoCase(*path, ".kna")) {
    ShowNotice(str::kCannotExecuteOle, Shown(*path));
    result.outcome = MarkerOutcome::NotMarker;
    return result;
  }
  const std::filesystem::path file(*path);
  if (!host.ProgressFileOpen()) {
    ShowNotice(str::kNoProgressFile);
    result.outcome = MarkerOutcome::NoProgressFile;
    struct stat st {};
    if (::lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode)) result.deleted = Delete(file);
    return result;
  }

  const MarkerRead read = ReadMarker(file);
  switch (read.status) {
    case MarkerRead::Status::CannotOpen:
      result.outcome = MarkerOutcome::CannotOpen;
      result.deleted = Delete(file);
      ShowNotice(str::kCannotExecuteOle, Shown(*path));
      return result;
    case MarkerRead::Status::NotRegular:
      result.outcome = MarkerOutcome::Corrupted;
      ShowNotice(str::kMarkerCorrupted);
      return result;
    case MarkerRead::Status::Corrupted:
      result.outcome = MarkerOutcome::Corrupted;
      ShowNotice(str::kMarkerCorrupted);
      break;
    case MarkerRead::Status::Ok: {
      const auto identifier = MarkerIdentifier(read.text);
      if (!identifier) {
        result.outcome = MarkerOutcome::Corrupted;
        ShowNotice(str::kMarkerCorrupted);
        break;
      }
      const ContentsTable& contents = host.Contents();
      const auto locator = contents.Resolve(*identifier);
      if (!locator) {
        result.outcome = MarkerOutcome::Missing;
        ShowNotice(str::kMarkerTargetMissing);
        break;
      }
      if (!StaysInCourseFolders(*locator, contents, host.CourseFolders())) {
        result.outcome = MarkerOutcome::Corrupted;
        ShowNotice(str::kMarkerCorrupted);
        break;
      }
      result.outcome = MarkerOutcome::Launched;
      host.ActivateAndLocate(*locator);
      break;
    }
  }
  result.deleted = Delete(file);
  return result;
}

const ContentsTable& ProgramMarkerHost::Contents() const { return CurrentContents(); }

std::vector<std::filesystem::path> ProgramMarkerHost::CourseFolders() const {
  return AcceptedCourseFolders(Service<Preferences>());
}
