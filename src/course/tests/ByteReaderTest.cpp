// Typed endian reads and the errors they raise; ASCII case folding.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "CourseErrorSupport.h"
#include "course/AsciiCase.h"
#include "course/ByteReader.h"
#include "course/CourseFileError.h"

namespace {
const std::vector<std::uint8_t> kBytes{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0xFF, 0xFE};
}  // namespace

TEST(ByteReader, TypedReadsTakeTheirByteOrder) {
  const struct {
    const char* what;
    std::size_t at;
    std::function<std::int64_t(ByteReader&)> read;
    std::int64_t expected;
    std::size_t after;
  } cases[] = {
      {"u8", 8, [](ByteReader& r) { return r.u8(); }, 0xFF, 9},
      {"i8", 8, [](ByteReader& r) { return r.i8(); }, -1, 9},
      {"u16le", 0, [](ByteReader& r) { return r.u16le(); }, 0x0201, 2},
      {"u16be", 0, [](ByteReader& r) { return r.u16be(); }, 0x0102, 2},
      {"u32le", 0, [](ByteReader& r) { return r.u32le(); }, 0x04030201, 4},
      {"u32be", 0, [](ByteReader& r) { return r.u32be(); }, 0x01020304, 4},
      {"i16le", 8, [](ByteReader& r) { return r.i16le(); }, -257, 10},   // 0xFEFF
      {"i16be", 8, [](ByteReader& r) { return r.i16be(); }, -2, 10},     // 0xFFFE
      {"i32le", 6, [](ByteReader& r) { return r.i32le(); }, -16840697, 10},  // 0xFEFF0807
      {"i32be", 6, [](ByteReader& r) { return r.i32be(); }, 118030334, 10},  // 0x0708FFFE
      {"u32le high bit", 6, [](ByteReader& r) { return r.u32le(); }, 0xFEFF0807, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ByteReader r(kBytes);
    r.seek(c.at);
    EXPECT_EQ(c.read(r), c.expected);
    EXPECT_EQ(r.offset(), c.after);
  }
  EXPECT_EQ(LoadBe64(std::span(kBytes).first<8>()), 0x0102030405060708u);
}

TEST(ByteReader, ShortReadsSayWhatAndWhereInTheFile) {
  // A window that starts at byte 100 of its file: errors give file offsets.
  const struct {
    const char* why;
    std::function<void(ByteReader&)> act;
    const char* reason;
    std::int64_t offset;
  } cases[] = {
      {"u16 past the end", [](ByteReader& r) { r.skip(9); r.u16le("sample"); }, "sample needs 2 bytes, 1 remain", 109},
      {"u32 at the end", [](ByteReader& r) { r.seek(10); r.u32be("chunk size"); }, "chunk size needs 4 bytes, 0 remain", 110},
      {"bytes", [](ByteReader& r) { r.u8(); r.bytes(10, "name"); }, "name needs 10 bytes, 9 remain", 101},
      {"chars", [](ByteReader& r) { r.chars(11, "chunk id"); }, "chunk id needs 11 bytes, 10 remain", 100},
      {"skip", [](ByteReader& r) { r.skip(11, "padding"); }, "padding needs 11 bytes, 10 remain", 100},
      {"seek", [](ByteReader& r) { r.seek(12, "table"); }, "table lies beyond the end (10 bytes)", 112},
      {"failAt", [](ByteReader& r) { r.failAt(3, "bad count"); }, "bad count", 103},
      {"fail", [](ByteReader& r) { r.u16le(); r.fail("bad tag"); }, "bad tag", 102},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    ByteReader r(kBytes, "f.bin", 100);
    const auto e = kntest::CourseErrorOf([&] { c.act(r); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->kind(), CourseFileError::Kind::Format);
    EXPECT_EQ(e->path(), "f.bin");
    EXPECT_EQ(e->reason(), c.reason);
    EXPECT_EQ(e->offset(), c.offset);
  }
  // A failed read consumes nothing.
  ByteReader r(kBytes);
  r.skip(9);
  EXPECT_THROW(r.u16be(), CourseFileError);
  EXPECT_EQ(r.offset(), 9u);
  EXPECT_EQ(r.u8(), 0xFE);
  EXPECT_TRUE(r.atEnd());
}

TEST(ByteReader, StoresWriteTheBytesTheLoadsRead) {
  std::vector<std::uint8_t> out;
  AppendLe16(out, 0x0201);
  AppendBe16(out, 0x0304);
  AppendLe32(out, 0x08070605);
  AppendBe32(out, 0x090A0B0C);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  std::uint8_t b[4] = {};
  StoreBe32(b, 0xFEFF0807);
  EXPECT_EQ(LoadLe32(b), 0x0708FFFEu);
  StoreLe16(std::span(b).first<2>(), 0xABCD);
  EXPECT_EQ(LoadBe16(std::span(b).first<2>()), 0xCDABu);
  EXPECT_EQ(ByteReader(BytesOf("tftb")).u32be(), 0x74667462u);
}

TEST(AsciiCase, FoldsPlainLettersOnly) {
  const struct {
    std::string_view a, b;
    bool equal;
  } pairs[] = {
      {"Splash Screen", "SPLASH screen", true},
      {"", "", true},
      {"abc", "abd", false},
      {"abc", "ab", false},
      {"@[", "`{", false},                     // the neighbours of A-Z and a-z are no letters
      {"\xC9t\xE9", "\xE9t\xE9", false},        // Windows-1252 letters stay as they are
      {"\xC9T\xC9", "\xC9t\xC9", true},
  };
  for (const auto& p : pairs) EXPECT_EQ(EqualNoCase(p.a, p.b), p.equal) << p.a << " / " << p.b;
  EXPECT_EQ(ToAsciiLower("Lesson 1.AIF\xC9"), "lesson 1.aif\xC9");
  const std::pair<char, int> digits[] = {{'0', 0}, {'9', 9}, {'a', 10}, {'F', 15}, {'f', 15},
                                         {'g', -1}, {'G', -1}, {'@', -1}, {'`', -1}, {'/', -1}, {':', -1}};
  for (const auto& [c, value] : digits) EXPECT_EQ(AsciiHexDigit(c), value) << c;
  EXPECT_EQ(ToAsciiUpper("nm@z[`{"), "NM@Z[`{");
}

TEST(AsciiCase, FindsNamesInsidePaths) {
  const struct {
    std::string_view haystack, needle;
    bool contains, startsWith, endsWith;
  } rows[] = {
      {"NM/NMZ.AIF", ".aif", true, false, true},
      {"clip.Ogg.bak", ".ogg", true, false, false},
      {"clip.og", ".ogg", false, false, false},
      {".ogg", ".OGG", true, true, true},
      {"Title: Means", "title:", true, true, false},
      {"", "", true, true, true},
      {"x", "", true, true, true},
      {"", "x", false, false, false},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(StartsWithNoCase(r.haystack, r.needle), r.startsWith) << r.haystack << " / " << r.needle;
    EXPECT_EQ(ContainsNoCase(r.haystack, r.needle), r.contains) << r.haystack << " / " << r.needle;
    EXPECT_EQ(EndsWithNoCase(r.haystack, r.needle), r.endsWith) << r.haystack << " / " << r.needle;
  }
}
