#include "course/CourseStream.h"

#include <algorithm>
#include <limits>

#include "course/ByteReader.h"

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

void CourseStream::WriteU16(std::uint16_t value) { AppendBe16(m_out, value); }

void CourseStream::WriteU32(std::uint32_t value) { AppendBe32(m_out, value); }

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
  return LoadBe16(std::span<const std::uint8_t, 2>(Take(2, what), 2));
}

std::uint32_t CourseStream::ReadU32(std::string_view what) {
  return LoadBe32(std::span<const std::uint8_t, 4>(Take(4, what), 4));
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
