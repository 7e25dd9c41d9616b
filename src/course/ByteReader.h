// Bounds-checked typed reads over a byte span. Every read that would pass the end
// throws CourseFileError(Format) naming the offset and what was being read, so a
// parser never trusts a length it has not checked.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "course/CourseFileError.h"

class ByteReader {
 public:
  // path only labels errors.
  explicit ByteReader(std::span<const std::uint8_t> bytes, std::string path = {})
      : m_bytes(bytes), m_path(std::move(path)) {}

  std::size_t size() const { return m_bytes.size(); }
  std::size_t offset() const { return m_pos; }
  std::size_t remaining() const { return m_bytes.size() - m_pos; }
  bool atEnd() const { return m_pos >= m_bytes.size(); }

  void seek(std::size_t offset, std::string_view what = "seek");
  void skip(std::size_t count, std::string_view what = "data");

  std::uint8_t u8(std::string_view what = "byte");
  std::uint16_t u16le(std::string_view what = "16-bit value");
  std::uint32_t u32le(std::string_view what = "32-bit value");
  std::uint16_t u16be(std::string_view what = "16-bit value");
  std::uint32_t u32be(std::string_view what = "32-bit value");
  std::int16_t i16be(std::string_view what = "16-bit value") { return static_cast<std::int16_t>(u16be(what)); }
  std::int32_t i32be(std::string_view what = "32-bit value") { return static_cast<std::int32_t>(u32be(what)); }
  std::int16_t i16le(std::string_view what = "16-bit value") { return static_cast<std::int16_t>(u16le(what)); }
  std::int32_t i32le(std::string_view what = "32-bit value") { return static_cast<std::int32_t>(u32le(what)); }

  // The next count bytes, checked against what is there.
  std::span<const std::uint8_t> bytes(std::size_t count, std::string_view what = "data");

  [[noreturn]] void fail(std::string_view what) const;
  [[noreturn]] void failAt(std::size_t offset, std::string_view what) const;

 private:
  void need(std::size_t count, std::string_view what) const;

  std::span<const std::uint8_t> m_bytes;
  std::string m_path;
  std::size_t m_pos = 0;
};
