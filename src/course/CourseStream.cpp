#include "course/CourseStream.h"

#include <algorithm>
#include <limits>

namespace {
std::int16_t Clamp16(std::int32_t v) {
  return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, std::numeric_limits<std::int16_t>::min(),
                                                            std::numeric_limits<std::int16_t>::max()));
}
}  // namespace

CourseStream::CourseStream() : m_storing(true) {}

CourseStream::CourseStream(std::span<const std::uint8_t> bytes, std::string label)
    : m_storing(false), m_in(bytes), m_label(std::move(label)) {}

void CourseStream::WriteByte(std::uint8_t value) { m_out.push_back(value); }

void CourseStream::WriteU16(std::uint16_t value) {
  m_out.push_back(static_cast<std::uint8_t>(value >> 8));
  m_out.push_back(static_cast<std::uint8_t>(value));
}

void CourseStream::WriteU32(std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) m_out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void CourseStream::WriteString(std::string_view value) {
  const std::size_t n = std::min(value.size(), kMaxString);
  m_out.push_back(static_cast<std::uint8_t>(n));
  m_out.insert(m_out.end(), value.begin(), value.begin() + static_cast<std::ptrdiff_t>(n));
}

void CourseStream::WriteRect(const CourseRect& rect) {
  WriteI16(Clamp16(rect.top));
  WriteI16(Clamp16(rect.left));
  WriteI16(Clamp16(rect.bottom));
  WriteI16(Clamp16(rect.right));
}

const std::uint8_t* CourseStream::Take(std::size_t count, std::string_view what) {
  if (m_storing) throw std::logic_error("course stream: read from a storing stream");
  if (count > remaining())
    throw CourseStreamEnd(m_label,
                          "end of data: " + std::string(what) + " needs " + std::to_string(count) + " bytes, " +
                              std::to_string(remaining()) + " left",
                          static_cast<std::int64_t>(m_pos));
  const std::uint8_t* p = m_in.data() + m_pos;
  m_pos += count;
  return p;
}

std::uint8_t CourseStream::ReadByte(std::string_view what) { return *Take(1, what); }

std::uint16_t CourseStream::ReadU16(std::string_view what) {
  const std::uint8_t* p = Take(2, what);
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

std::uint32_t CourseStream::ReadU32(std::string_view what) {
  const std::uint8_t* p = Take(4, what);
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::string CourseStream::ReadString(std::string_view what) {
  const std::size_t n = ReadByte(what);
  const std::uint8_t* p = Take(n, what);
  return std::string(reinterpret_cast<const char*>(p), n);
}

CourseRect CourseStream::ReadRect(std::string_view what) {
  CourseRect r;
  r.top = ReadI16(what);
  r.left = ReadI16(what);
  r.bottom = ReadI16(what);
  r.right = ReadI16(what);
  return r;
}

void CourseStream::Fail(std::string_view what) const {
  throw CourseFileError(CourseFileError::Kind::Format, m_label, std::string(what), static_cast<std::int64_t>(m_pos));
}
