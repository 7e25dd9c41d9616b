#include "course/CourseFileError.h"

CourseFileError::CourseFileError(Kind kind, std::string path, std::string what, std::int64_t offset)
    : std::runtime_error(Compose(path, what, offset)),
      m_kind(kind),
      m_path(std::move(path)),
      m_reason(std::move(what)),
      m_offset(offset) {}

std::string CourseFileError::Compose(const std::string& path, const std::string& what,
                                     std::int64_t offset) {
  std::string s = path.empty() ? std::string("<memory>") : path;
  if (offset >= 0) s += " at offset " + std::to_string(offset);
  s += ": " + what;
  return s;
}
