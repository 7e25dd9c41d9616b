#include "course/ByteReader.h"

void ByteReader::failShort(std::size_t count, std::string_view what) const {
  failAt(m_pos, std::string(what) + " needs " + std::to_string(count) + " bytes, " + std::to_string(remaining()) +
                    " remain");
}

void ByteReader::fail(std::string_view what) const { failAt(m_pos, what); }

void ByteReader::failAt(std::size_t offset, std::string_view what) const {
  throw CourseFileError(CourseFileError::Kind::Format, m_path, std::string(what),
                        static_cast<std::int64_t>(m_base + offset));
}

void ByteReader::seek(std::size_t offset, std::string_view what) {
  if (offset > m_bytes.size())
    failAt(offset, std::string(what) + " lies beyond the end (" + std::to_string(m_bytes.size()) + " bytes)");
  m_pos = offset;
}

void ByteReader::skip(std::size_t count, std::string_view what) {
  need(count, what);
  m_pos += count;
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t count, std::string_view what) {
  need(count, what);
  auto s = m_bytes.subspan(m_pos, count);
  m_pos += count;
  return s;
}

std::string_view ByteReader::chars(std::size_t count, std::string_view what) {
  const auto s = bytes(count, what);
  return {reinterpret_cast<const char*>(s.data()), s.size()};
}
