// The course stream: the byte encoding of bookmark files and student progress files,
// the same on every platform.
//
//   byte       1 byte (read signed or unsigned as the field is)
//   flag       1 byte; 0 or 1 is written, any non-zero byte reads as 1
//   integer    16 bits, big-endian; 32-bit values likewise, high byte first
//   string     1 length byte, then that many bytes, no terminator; a longer string is
//              cut to its first 255 bytes; length 0 stands for empty or absent
//   rectangle  four 16-bit integers in the order top, left, bottom, right
//
// One object either stores (appends to its own buffer) or loads (reads bytes it does not
// own), so that a record's Serialize can be written once for both directions. Reading
// past the end throws CourseStreamEnd, which loaders of bookmark files take as the normal
// end of the file; a fault in the data itself throws CourseFileError(Format) through
// Fail(). Nothing is allocated on the strength of a number read from the stream: a
// string's length byte is checked against what remains before it is read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "course/CourseFileError.h"
#include "course/CourseRect.h"

// End of data reached in the middle of an item. A CourseFileError of kind Format, so
// callers that do not care about the difference catch one type.
class CourseStreamEnd : public CourseFileError {
 public:
  CourseStreamEnd(std::string path, std::string what, std::int64_t offset)
      : CourseFileError(Kind::Format, std::move(path), std::move(what), offset) {}
};

class CourseStream {
 public:
  static constexpr std::size_t kMaxString = 255;

  // A storing stream with an empty buffer.
  CourseStream();
  // A loading stream over bytes that must outlive it; label names the file in errors.
  explicit CourseStream(std::span<const std::uint8_t> bytes, std::string label = {});
  // A temporary buffer would be gone before the first read.
  explicit CourseStream(std::vector<std::uint8_t>&& bytes, std::string label = {}) = delete;

  CourseStream(const CourseStream&) = delete;
  CourseStream& operator=(const CourseStream&) = delete;

  bool isStoring() const { return m_storing; }
  bool isLoading() const { return !m_storing; }
  const std::string& label() const { return m_label; }

  // Storing: what has been written so far.
  const std::vector<std::uint8_t>& data() const { return m_out; }
  std::vector<std::uint8_t> TakeData() { return std::move(m_out); }

  // Loading: position in the input.
  std::size_t offset() const { return m_pos; }
  std::size_t remaining() const { return m_in.size() - m_pos; }
  bool atEnd() const { return m_pos >= m_in.size(); }

  void WriteByte(std::uint8_t value);
  void WriteSignedByte(std::int8_t value) { WriteByte(static_cast<std::uint8_t>(value)); }
  void WriteFlag(bool value) { WriteByte(value ? 1 : 0); }
  void WriteU16(std::uint16_t value);
  void WriteI16(std::int16_t value) { WriteU16(static_cast<std::uint16_t>(value)); }
  void WriteU32(std::uint32_t value);
  void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
  // Bytes as they are (course text stays Windows-1252); cut to 255 bytes.
  void WriteString(std::string_view value);
  // Coordinates outside the 16-bit range are clamped to it rather than wrapped, so an
  // off-screen window stays off-screen on the same side.
  void WriteRect(const CourseRect& rect);

  std::uint8_t ReadByte(std::string_view what = "byte");
  std::int8_t ReadSignedByte(std::string_view what = "byte") { return static_cast<std::int8_t>(ReadByte(what)); }
  bool ReadFlag(std::string_view what = "flag") { return ReadByte(what) != 0; }
  std::uint16_t ReadU16(std::string_view what = "integer");
  std::int16_t ReadI16(std::string_view what = "integer") { return static_cast<std::int16_t>(ReadU16(what)); }
  std::uint32_t ReadU32(std::string_view what = "32-bit integer");
  std::int32_t ReadI32(std::string_view what = "32-bit integer") { return static_cast<std::int32_t>(ReadU32(what)); }
  std::string ReadString(std::string_view what = "string");
  CourseRect ReadRect(std::string_view what = "rectangle");

  // Throws CourseFileError(Format) for a fault in the data at the current offset
  // (a count beyond its limit, a value out of range).
  [[noreturn]] void Fail(std::string_view what) const;

 private:
  const std::uint8_t* Take(std::size_t count, std::string_view what);

  bool m_storing;
  std::vector<std::uint8_t> m_out;
  std::span<const std::uint8_t> m_in;
  std::size_t m_pos = 0;
  std::string m_label;
};
