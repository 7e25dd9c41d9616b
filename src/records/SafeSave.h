// Saving a learner's file so that a crash, a full disc or a pulled plug never costs the
// learner the file they had: the new bytes go to a temporary file in the same folder,
// which is flushed to the disc and then renamed over the old file (one step for the file
// system), and the folder is synced so that the rename itself survives a power cut. The
// previous version is kept beside the file as "<name>.bak".
//
// At every moment the file on disc is either the old version or the new one, whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

struct SaveResult {
  bool ok = false;
  std::string reason;  // why it failed (the system's words), empty on success
};

// The name a save dialog gave, with "." and extension put on when its last component has
// no extension of its own (a dot in a folder's name does not count). appended, when given,
// tells whether it was put on.
std::filesystem::path WithDefaultExtension(const std::filesystem::path& name, std::string_view extension,
                                           bool* appended = nullptr);

// "<path>.bak".
std::filesystem::path BackupPathOf(const std::filesystem::path& path);

// Writes bytes to path as described above. A path that is a symbolic link saves to the
// file it points to. On failure the old file (and its backup) are as they were and the
// temporary file is removed. keepBackup false skips the backup.
SaveResult SaveFileSafely(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                          bool keepBackup = true);

// The steps of a save, for tests that make one fail part way.
enum class SaveStep { OpenTemp, Write, Sync, Backup, Rename, SyncFolder };
// Called before each step; a non-zero return is taken as that step failing with that
// errno value. Returns the previous hook.
using SaveFaultHook = std::function<int(SaveStep)>;
SaveFaultHook SetSaveFaultHook(SaveFaultHook hook);
