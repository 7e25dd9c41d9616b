#include "records/SafeSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace {
SaveFaultHook& FaultHook() {
  static SaveFaultHook hook;
  return hook;
}

// Runs the fault hook for step; true (with errno set) when the step is to fail.
bool Injected(SaveStep step) {
  if (!FaultHook()) return false;
  if (const int err = FaultHook()(step)) {
    errno = err;
    return true;
  }
  return false;
}

std::string Reason(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot sync a folder
  const int err = errno;
  ::close(fd);
  errno = err;
  return ok;
}

// Copies from into a new file at to (for file systems without hard links).
bool CopyFile(const std::filesystem::path& from, const std::filesystem::path& to, mode_t mode) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) return false;
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool ok = true;
  std::uint8_t buffer[65536];
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    if (!WriteAll(out, buffer, static_cast<std::size_t>(n))) {
      ok = false;
      break;
    }
  }
  if (ok && ::fsync(out) != 0) ok = false;
  const int err = errno;
  ::close(in);
  if (::close(out) != 0) ok = false;
  errno = err;
  return ok;
}

// The previous version is kept as "<name>.bak": first linked (or copied) to a staging
// name while the old file is still in place, then renamed over the old backup once the
// new file is in place, so that a save that fails leaves both the file and its backup as
// they were.
std::filesystem::path BackupStaging(const std::filesystem::path& path, const std::filesystem::path& folder) {
  return folder / ("." + path.filename().string() + ".bak.saving");
}

bool StageBackup(const std::filesystem::path& path, const std::filesystem::path& staging, mode_t mode) {
  ::unlink(staging.c_str());
  if (::link(path.c_str(), staging.c_str()) == 0 || CopyFile(path, staging, mode)) return true;
  const int err = errno;
  ::unlink(staging.c_str());
  errno = err;
  return false;
}
}  // namespace

std::filesystem::path WithDefaultExtension(const std::filesystem::path& name, std::string_view extension,
                                           bool* appended) {
  const std::string file = name.filename().string();
  const bool add = !file.empty() && file.find('.') == std::string::npos;
  if (appended) *appended = add;
  if (!add) return name;
  std::filesystem::path out = name;
  out += ".";
  out += std::string(extension);
  return out;
}

std::filesystem::path BackupPathOf(const std::filesystem::path& path) {
  std::filesystem::path backup = path;
  backup += ".bak";
  return backup;
}

SaveFaultHook SetSaveFaultHook(SaveFaultHook hook) {
  std::swap(hook, FaultHook());
  return hook;
}

SaveResult SaveFileSafely(const std::filesystem::path& requested, std::span<const std::uint8_t> bytes,
                          bool keepBackup) {
  std::error_code ec;
  std::filesystem::path path = requested;
  if (std::filesystem::is_symlink(path, ec)) {
    const auto target = std::filesystem::weakly_canonical(path, ec);
    if (ec) return {false, "cannot follow the link: " + ec.message()};
    path = target;
  }
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  if (path.filename().empty()) return {false, "no file name"};

  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  mode_t mode = 0666;
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists) {
    if (!S_ISREG(st.st_mode)) return {false, "not a regular file"};
    mode = st.st_mode & 07777;
  }

  const std::filesystem::path temp = folder / ("." + path.filename().string() + ".saving");
  ::unlink(temp.c_str());  // left behind by a save that was cut off
  int fd = -1;
  if (Injected(SaveStep::OpenTemp) || (fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode)) < 0)
    return {false, Reason("cannot create a file in the folder")};
  if (exists) ::fchmod(fd, mode);  // not narrowed by the umask

  auto failWith = [&](const char* what) {
    SaveResult r{false, Reason(what)};
    const int err = errno;
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    errno = err;
    return r;
  };

  if (Injected(SaveStep::Write) || !WriteAll(fd, bytes.data(), bytes.size())) return failWith("cannot write");
  if (Injected(SaveStep::Sync) || ::fsync(fd) != 0) return failWith("cannot write to the disc");
  const int closing = ::close(fd);
  fd = -1;
  if (closing != 0) return failWith("cannot write to the disc");

  const std::filesystem::path staging = BackupStaging(path, folder);
  const bool backup = exists && keepBackup;
  if (backup && (Injected(SaveStep::Backup) || !StageBackup(path, staging, mode)))
    return failWith("cannot keep the previous version");
  if (Injected(SaveStep::Rename) || ::rename(temp.c_str(), path.c_str()) != 0) {
    if (backup) ::unlink(staging.c_str());
    return failWith("cannot replace the file");
  }
  // A crash before this leaves the older backup; the file itself is already whole.
  if (backup && ::rename(staging.c_str(), BackupPathOf(path).c_str()) != 0) {
    ::unlink(staging.c_str());
    return {false, Reason("the file was saved but the previous version could not be kept")};
  }
  // The new file is in place; a folder that cannot be synced leaves it there but not yet
  // certain to survive a power cut, which is still worth reporting.
  if (Injected(SaveStep::SyncFolder) || !SyncFolder(folder))
    return {false, Reason("the file was written but the folder could not be synced")};
  return {true, {}};
}
