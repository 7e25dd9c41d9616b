#include "records/ProgressStore.h"

#include "course/CourseFileError.h"
#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "course/StringIds.h"
#include "records/BookmarkFile.h"
#include "records/FileBytes.h"

namespace {
std::string DisplayName(const std::filesystem::path& path) {
  // File names on this system are UTF-8 already.
  return path.filename().string();
}
}  // namespace

std::string FileAndReason(const std::filesystem::path& path, const std::string& reason) {
  return "'" + DisplayName(path) + "' (" + reason + ")";
}

ProgressOpen ReadProgressPath(const std::filesystem::path& path, const ProgressReadOptions& options) {
  ProgressOpen open;
  std::error_code ec;
  open.backupExists = std::filesystem::is_regular_file(BackupPathOf(path), ec);
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadWholeFile(path, kMaxProgressFileBytes);
  } catch (const CourseFileError& e) {
    open.status =
        e.kind() == CourseFileError::Kind::Format ? ProgressOpen::Status::Damaged : ProgressOpen::Status::CannotOpen;
    open.reason = e.reason();
    return open;
  }
  if (bytes.empty()) {
    open.status = ProgressOpen::Status::Empty;
    return open;
  }
  try {
    ProgressReadOptions o = options;
    if (o.label.empty()) o.label = path.string();
    open.data = ReadProgressFile(bytes, o);
    open.status = ProgressOpen::Status::Ok;
  } catch (const CourseFileError& e) {
    open.status = ProgressOpen::Status::Damaged;
    open.reason = e.reason();
    if (e.offset() >= 0) open.reason += " at byte " + std::to_string(e.offset());
  }
  return open;
}

std::string ReportProgressOpen(const std::filesystem::path& path, const ProgressOpen& open) {
  switch (open.status) {
    case ProgressOpen::Status::Ok:
      return {};
    case ProgressOpen::Status::CannotOpen:
      ShowNotice(str::kProgressNotFound, path.string());
      return {};
    case ProgressOpen::Status::Empty:
      ShowNotice(str::kProgressEmpty, path.string());
      return {};
    case ProgressOpen::Status::Damaged:
      if (open.backupExists) return FormatProgramString(str::kProgressDamagedBackup, FileAndReason(path, open.reason));
      ShowNotice(str::kProgressDamaged, FileAndReason(path, open.reason));
      return {};
  }
  return {};
}

SaveResult SaveProgressPath(const std::filesystem::path& path, const StudentRecord& learner,
                            const Preferences& preferences, const std::vector<WindowRecord>& windows) {
  SaveResult result;
  try {
    const auto bytes = WriteProgressFile(learner, preferences, windows);
    result = SaveFileSafely(path, bytes);
  } catch (const CourseFileError& e) {
    result = {false, e.reason()};
  }
  if (!result.ok) ShowNotice(str::kSaveFailed, FileAndReason(path, result.reason));
  return result;
}

SaveResult SaveBookmarkPath(const std::filesystem::path& path, const std::vector<ActivityLocator>& bookmarks) {
  const SaveResult result = SaveFileSafely(path, WriteBookmarkFile(bookmarks));
  if (!result.ok) ShowNotice(str::kSaveFailed, FileAndReason(path, result.reason));
  return result;
}
