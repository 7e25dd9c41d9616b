// Opening and saving student progress files on disc, with the learner's messages.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "course/StringIds.h"
#include "records/ProgressFile.h"
#include "records/SafeSave.h"

struct ProgressOpen {
  enum class Status { Ok, CannotOpen, Empty, Damaged } status = Status::CannotOpen;
  ProgressData data;   // Ok only
  std::string reason;  // CannotOpen and Damaged: what went wrong (and where)
  bool backupExists = false;
};

// Reads and decodes the file; nothing outside the result changes.
ProgressOpen ReadProgressPath(const std::filesystem::path& path, const ProgressReadOptions& options);

// Shows the notice for a failed open: 8520, 8521, or the damaged-file text. For a
// damaged file with a backup beside it the question text is returned instead of shown
// (the caller asks); otherwise the result is empty.
std::string ReportProgressOpen(const std::filesystem::path& path, const ProgressOpen& open);

// "'<file name>' (<reason>)": the argument of the save and damage messages.
std::string FileAndReason(const std::filesystem::path& path, const std::string& reason);

// Encodes and saves safely; a failure (including a record that cannot be stored) shows
// str::kSaveFailed naming the file and the reason, and leaves the file on disc as it was.
SaveResult SaveProgressPath(const std::filesystem::path& path, const StudentRecord& learner,
                            const Preferences& preferences, const std::vector<WindowRecord>& windows);

// Saves a bookmark file safely, keeping the file it replaces as "<name>.bak" as progress
// files do; reports a failure the same way.
SaveResult SaveBookmarkPath(const std::filesystem::path& path, const std::vector<ActivityLocator>& bookmarks);
