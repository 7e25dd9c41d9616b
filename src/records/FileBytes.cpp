#include "records/FileBytes.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "course/CourseFileError.h"

namespace {
[[noreturn]] void Throw(CourseFileError::Kind kind, const std::filesystem::path& path, const std::string& why) {
  throw CourseFileError(kind, path.string(), why);
}
}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    const int err = errno;
    Throw(err == ENOENT || err == ENOTDIR ? CourseFileError::Kind::NotFound : CourseFileError::Kind::Access, path,
          std::strerror(err));
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};

  struct stat st {};
  if (::fstat(fd, &st) != 0) Throw(CourseFileError::Kind::Access, path, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) Throw(CourseFileError::Kind::Access, path, "not a regular file");
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes)
    Throw(CourseFileError::Kind::Format, path, "file too large (" + std::to_string(st.st_size) + " bytes)");
  if (::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK)
    Throw(CourseFileError::Kind::SharingViolation, path, "the file is being written");

  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Throw(CourseFileError::Kind::Access, path, std::strerror(errno));
    if (n == 0) break;  // shrank while being read
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}
