#include "course/CourseFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "course/CourseFileError.h"

namespace {
[[noreturn]] void ThrowErrno(const std::string& path, const char* doing, int err) {
  throw CourseFileError(CourseFileError::Kind::Access, path,
                        std::string(doing) + ": " + std::strerror(err));
}
}  // namespace

CourseFile::CourseFile(CourseFile&& other) noexcept
    : m_fd(other.m_fd),
      m_inMemory(other.m_inMemory),
      m_memory(std::move(other.m_memory)),
      m_path(std::move(other.m_path)),
      m_pos(other.m_pos) {
  other.m_fd = -1;
  other.m_inMemory = false;
}

CourseFile& CourseFile::operator=(CourseFile&& other) noexcept {
  if (this != &other) {
    close();
    m_fd = other.m_fd;
    m_inMemory = other.m_inMemory;
    m_memory = std::move(other.m_memory);
    m_path = std::move(other.m_path);
    m_pos = other.m_pos;
    other.m_fd = -1;
    other.m_inMemory = false;
  }
  return *this;
}

CourseFile::~CourseFile() { close(); }

CourseFile CourseFile::Open(const std::filesystem::path& path, Mode mode) {
  CourseFile f;
  f.m_path = path.string();
  // O_NONBLOCK: opening a FIFO or a device waits for its other end, which may never come.
  // Only regular files pass the check below; reads of those are never short for it.
  const int flags = (mode == Mode::ReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK;
  int fd = ::open(path.c_str(), flags);
  if (fd < 0) {
    const int err = errno;
    if (err == ENOENT || err == ENOTDIR)
      throw CourseFileError(CourseFileError::Kind::NotFound, f.m_path, "file not found");
    if (err == ENXIO)  // a FIFO without a writer, a socket
      throw CourseFileError(CourseFileError::Kind::Access, f.m_path, "not a regular file");
    ThrowErrno(f.m_path, "cannot open", err);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw CourseFileError(CourseFileError::Kind::Access, f.m_path, "not a regular file");
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (::flock(fd, (mode == Mode::ReadWrite ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    const int err = errno;
    ::close(fd);
    if (err == EWOULDBLOCK)
      throw CourseFileError(CourseFileError::Kind::SharingViolation, f.m_path, "sharing violation");
    // File systems without locks: open without one.
    fd = ::open(path.c_str(), flags);
    if (fd < 0) ThrowErrno(f.m_path, "cannot open", errno);
    // Swapped for something else between the two opens: refused like the first time.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      throw CourseFileError(CourseFileError::Kind::Access, f.m_path, "not a regular file");
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  }
  f.m_fd = fd;
  return f;
}

CourseFile CourseFile::FromMemory(std::vector<std::uint8_t> bytes, std::string label) {
  CourseFile f;
  f.m_inMemory = true;
  f.m_memory = std::move(bytes);
  f.m_path = std::move(label);
  return f;
}

std::uint64_t CourseFile::size() const {
  if (m_inMemory) return m_memory.size();
  if (m_fd < 0) return 0;
  struct stat st {};
  if (::fstat(m_fd, &st) != 0) return 0;
  return static_cast<std::uint64_t>(st.st_size);
}

void CourseFile::seek(std::uint64_t offset) { m_pos = offset; }

std::size_t CourseFile::read(void* buffer, std::size_t count) {
  if (count == 0) return 0;
  if (m_inMemory) {
    if (m_pos >= m_memory.size()) return 0;
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, m_memory.size() - m_pos));
    std::memcpy(buffer, m_memory.data() + m_pos, n);
    m_pos += n;
    return n;
  }
  if (m_fd < 0) throw CourseFileError(CourseFileError::Kind::Access, m_path, "file is not open");
  std::size_t done = 0;
  auto* out = static_cast<std::uint8_t*>(buffer);
  while (done < count) {
    const ssize_t n = ::pread(m_fd, out + done, count - done, static_cast<off_t>(m_pos));
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(m_path, "cannot read", errno);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
    m_pos += static_cast<std::uint64_t>(n);
  }
  return done;
}

void CourseFile::readExact(void* buffer, std::size_t count, const char* what) {
  const std::uint64_t at = m_pos;
  const std::size_t got = read(buffer, count);
  if (got != count)
    throw CourseFileError(CourseFileError::Kind::Format, m_path,
                          std::string(what) + " needs " + std::to_string(count) + " bytes, file has " +
                              std::to_string(got),
                          static_cast<std::int64_t>(at));
}

std::vector<std::uint8_t> CourseFile::readAt(std::uint64_t offset, std::uint64_t length, const char* what) {
  const std::uint64_t total = size();
  if (offset > total || length > total - offset)
    throw CourseFileError(CourseFileError::Kind::Format, m_path,
                          std::string(what) + " of " + std::to_string(length) +
                              " bytes runs past the end of the file (" + std::to_string(total) + " bytes)",
                          static_cast<std::int64_t>(offset));
  std::vector<std::uint8_t> out(static_cast<std::size_t>(length));
  seek(offset);
  readExact(out.data(), out.size(), what);
  return out;
}

std::vector<std::uint8_t> CourseFile::readAll() { return readAt(0, size(), "file"); }

void CourseFile::write(const void* buffer, std::size_t count) {
  if (m_inMemory || m_fd < 0)
    throw CourseFileError(CourseFileError::Kind::Access, m_path, "file is not open for writing");
  const auto* in = static_cast<const std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pwrite(m_fd, in + done, count - done, static_cast<off_t>(m_pos));
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(m_path, "cannot write", errno);
    }
    done += static_cast<std::size_t>(n);
    m_pos += static_cast<std::uint64_t>(n);
  }
}

void CourseFile::close() {
  if (m_fd >= 0) {
    ::close(m_fd);  // releases the lock
    m_fd = -1;
  }
  m_inMemory = false;
  m_memory.clear();
  m_memory.shrink_to_fit();
}
