// The one exception type of course file operations. Owning windows catch it and
// report it as a notice; parsers raise Format with the byte offset of the fault.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class CourseFileError : public std::runtime_error {
 public:
  enum class Kind {
    NotFound,          // no course folder holds the file
    SharingViolation,  // the file exists but is locked by another writer
    Access,            // the system refused to open, read or write it
    Format,            // the bytes do not follow the file's format
  };

  // offset: byte offset of a format fault, or -1 when there is none.
  CourseFileError(Kind kind, std::string path, std::string what, std::int64_t offset = -1);

  Kind kind() const noexcept { return m_kind; }
  const std::string& path() const noexcept { return m_path; }
  const std::string& reason() const noexcept { return m_reason; }
  std::int64_t offset() const noexcept { return m_offset; }

 private:
  static std::string Compose(const std::string& path, const std::string& what, std::int64_t offset);

  Kind m_kind;
  std::string m_path;
  std::string m_reason;
  std::int64_t m_offset;
};
