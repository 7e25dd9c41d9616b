#include "course/ByteReader.h"

void ByteReader::need(std::size_t count, std::string_view what) const {
  if (count > remaining())
    throw CourseFileError(CourseFileError::Kind::Format, m_path,
                          std::string(what) + " needs " + std::to_string(count) + " bytes, " +
                              std::to_string(remaining()) + " remain",
                          static_cast<std::int64_t>(m_pos));
}

void ByteReader::fail(std::string_view what) const { failAt(m_pos, what); }

void ByteReader::failAt(std::size_t offset, std::string_view what) const {
  throw CourseFileError(CourseFileError::Kind::Format, m_path, std::string(what),
                        static_cast<std::int64_t>(offset));
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

std::uint8_t ByteReader::u8(std::string_view what) {
  need(1, what);
  return m_bytes[m_pos++];
}

std::uint16_t ByteReader::u16le(std::string_view what) {
  auto b = bytes(2, what);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t ByteReader::u32le(std::string_view what) {
  auto b = bytes(4, what);
  return std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
         (std::uint32_t(b[3]) << 24);
}

std::uint16_t ByteReader::u16be(std::string_view what) {
  auto b = bytes(2, what);
  return static_cast<std::uint16_t>((b[0] << 8) | b[1]);
}

std::uint32_t ByteReader::u32be(std::string_view what) {
  auto b = bytes(4, what);
  return (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) |
         std::uint32_t(b[3]);
}
