// Bounds-checked typed reads over a byte span. Every read that would pass the end
// throws CourseFileError(Format) naming the offset and what was being read, so a
// parser never trusts a length it has not checked.
//
// The Load/Store functions below are the one place where byte order is spelled out;
// they take fixed-extent spans, so the field is known to be there before they run.
// Code that already holds a checked field (a pixel row, a fixed header in a buffer)
// uses them directly; everything reading outside data goes through a ByteReader.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "course/CourseFileError.h"

constexpr std::uint16_t LoadLe16(std::span<const std::uint8_t, 2> b) {
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}
constexpr std::uint32_t LoadLe32(std::span<const std::uint8_t, 4> b) {
  return std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[3]) << 24);
}
constexpr std::uint16_t LoadBe16(std::span<const std::uint8_t, 2> b) {
  return static_cast<std::uint16_t>((b[0] << 8) | b[1]);
}
constexpr std::uint32_t LoadBe32(std::span<const std::uint8_t, 4> b) {
  return (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) | std::uint32_t(b[3]);
}
constexpr std::uint64_t LoadBe64(std::span<const std::uint8_t, 8> b) {
  return (std::uint64_t(LoadBe32(b.first<4>())) << 32) | LoadBe32(b.last<4>());
}

constexpr void StoreLe16(std::span<std::uint8_t, 2> b, std::uint16_t v) {
  b[0] = static_cast<std::uint8_t>(v);
  b[1] = static_cast<std::uint8_t>(v >> 8);
}
constexpr void StoreLe32(std::span<std::uint8_t, 4> b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
constexpr void StoreBe16(std::span<std::uint8_t, 2> b, std::uint16_t v) {
  b[0] = static_cast<std::uint8_t>(v >> 8);
  b[1] = static_cast<std::uint8_t>(v);
}
constexpr void StoreBe32(std::span<std::uint8_t, 4> b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// Appending forms of the stores, for writers that build a file front to back.
template <std::size_t N>
std::span<std::uint8_t, N> GrowBy(std::vector<std::uint8_t>& out) {
  out.resize(out.size() + N);
  return std::span<std::uint8_t, N>(out.data() + out.size() - N, N);
}
inline void AppendLe16(std::vector<std::uint8_t>& out, std::uint16_t v) { StoreLe16(GrowBy<2>(out), v); }
inline void AppendLe32(std::vector<std::uint8_t>& out, std::uint32_t v) { StoreLe32(GrowBy<4>(out), v); }
inline void AppendBe16(std::vector<std::uint8_t>& out, std::uint16_t v) { StoreBe16(GrowBy<2>(out), v); }
inline void AppendBe32(std::vector<std::uint8_t>& out, std::uint32_t v) { StoreBe32(GrowBy<4>(out), v); }

// The bytes of text, for reading characters that arrived as a string.
inline std::span<const std::uint8_t> BytesOf(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class ByteReader {
 public:
  // path only labels errors. base is the file offset of bytes[0] when the span is a
  // window of a larger file: errors report file offsets, offset() stays span-relative.
  explicit ByteReader(std::span<const std::uint8_t> bytes, std::string path = {}, std::uint64_t base = 0)
      : m_bytes(bytes), m_path(std::move(path)), m_base(base) {}

  std::size_t size() const { return m_bytes.size(); }
  std::size_t offset() const { return m_pos; }
  std::size_t remaining() const { return m_bytes.size() - m_pos; }
  bool atEnd() const { return m_pos >= m_bytes.size(); }

  void seek(std::size_t offset, std::string_view what = "seek");
  void skip(std::size_t count, std::string_view what = "data");

  std::uint8_t u8(std::string_view what = "byte") {
    need(1, what);
    return m_bytes[m_pos++];
  }
  std::int8_t i8(std::string_view what = "byte") { return static_cast<std::int8_t>(u8(what)); }
  std::uint16_t u16le(std::string_view what = "16-bit value") { return LoadLe16(field<2>(what)); }
  std::uint32_t u32le(std::string_view what = "32-bit value") { return LoadLe32(field<4>(what)); }
  std::uint16_t u16be(std::string_view what = "16-bit value") { return LoadBe16(field<2>(what)); }
  std::uint32_t u32be(std::string_view what = "32-bit value") { return LoadBe32(field<4>(what)); }
  std::int16_t i16be(std::string_view what = "16-bit value") { return static_cast<std::int16_t>(u16be(what)); }
  std::int32_t i32be(std::string_view what = "32-bit value") { return static_cast<std::int32_t>(u32be(what)); }
  std::int16_t i16le(std::string_view what = "16-bit value") { return static_cast<std::int16_t>(u16le(what)); }
  std::int32_t i32le(std::string_view what = "32-bit value") { return static_cast<std::int32_t>(u32le(what)); }

  // The next count bytes, checked against what is there.
  std::span<const std::uint8_t> bytes(std::size_t count, std::string_view what = "data");
  // The same as characters (a four-character chunk id, a name field).
  std::string_view chars(std::size_t count, std::string_view what = "text");

  [[noreturn]] void fail(std::string_view what) const;
  // offset is span-relative, like offset().
  [[noreturn]] void failAt(std::size_t offset, std::string_view what) const;

 private:
  void need(std::size_t count, std::string_view what) const {
    if (count > remaining()) failShort(count, what);
  }
  [[noreturn]] void failShort(std::size_t count, std::string_view what) const;
  template <std::size_t N>
  std::span<const std::uint8_t, N> field(std::string_view what) {
    need(N, what);
    const std::span<const std::uint8_t, N> s(m_bytes.data() + m_pos, N);
    m_pos += N;
    return s;
  }

  std::span<const std::uint8_t> m_bytes;
  std::string m_path;
  std::uint64_t m_base = 0;
  std::size_t m_pos = 0;
};
