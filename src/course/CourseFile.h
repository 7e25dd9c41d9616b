// The program's file object: an open course file (or a byte buffer standing in for
// one) with bounded reads. Decoders (PNG, Vorbis, AIFF) read through it.
//
// Opening for reading takes a shared advisory lock and opening for reading and
// writing an exclusive one, so that two copies of the program never write a file
// the other is reading; a conflicting lock is reported as a sharing violation.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

class CourseFile {
 public:
  enum class Mode { Read, ReadWrite };

  CourseFile() = default;
  CourseFile(CourseFile&& other) noexcept;
  CourseFile& operator=(CourseFile&& other) noexcept;
  CourseFile(const CourseFile&) = delete;
  CourseFile& operator=(const CourseFile&) = delete;
  ~CourseFile();

  // Throws CourseFileError: NotFound, SharingViolation or Access.
  static CourseFile Open(const std::filesystem::path& path, Mode mode = Mode::Read);
  // A read-only file over bytes held in memory; label names it in errors.
  static CourseFile FromMemory(std::vector<std::uint8_t> bytes, std::string label = {});

  bool isOpen() const { return m_fd >= 0 || m_inMemory; }
  const std::string& path() const { return m_path; }
  std::uint64_t size() const;
  std::uint64_t tell() const { return m_pos; }
  void seek(std::uint64_t offset);  // may pass the end; later reads return nothing

  // Up to count bytes from the current position; fewer only at the end. Throws Access on I/O errors.
  std::size_t read(void* buffer, std::size_t count);
  // Exactly count bytes, else CourseFileError(Format) naming what was being read and where.
  void readExact(void* buffer, std::size_t count, const char* what = "data");
  // length bytes at offset, checked against the file's size before anything is allocated.
  std::vector<std::uint8_t> readAt(std::uint64_t offset, std::uint64_t length, const char* what = "data");
  std::vector<std::uint8_t> readAll();

  void write(const void* buffer, std::size_t count);  // ReadWrite only; throws Access
  void close();

 private:
  int m_fd = -1;
  bool m_inMemory = false;
  std::vector<std::uint8_t> m_memory;
  std::string m_path;
  std::uint64_t m_pos = 0;
};
