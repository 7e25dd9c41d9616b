#include <gtest/gtest.h>

#include "course/CourseStream.h"

namespace {
std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> out;
  for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
  return out;
}
}  // namespace

TEST(CourseStream, WritesBigEndianItems) {
  CourseStream s;
  s.WriteFlag(true);
  s.WriteSignedByte(-2);
  s.WriteU16(0x1234);
  s.WriteI16(-2);
  s.WriteU32(0x01020304);
  s.WriteString("ab");
  s.WriteRect({/*left*/ 1, /*top*/ 2, /*right*/ 3, /*bottom*/ 4});
  EXPECT_EQ(s.data(), Bytes({1, 0xFE, 0x12, 0x34, 0xFF, 0xFE, 1, 2, 3, 4, 2, 'a', 'b',
                             0, 2, 0, 1, 0, 4, 0, 3}));  // rectangle: top, left, bottom, right
}

TEST(CourseStream, ReadsBackWhatItWrote) {
  CourseStream out;
  out.WriteFlag(false);
  out.WriteSignedByte(-128);
  out.WriteU16(0xFFFF);
  out.WriteI16(-32768);
  out.WriteI32(-5);
  out.WriteString("");
  out.WriteString(std::string("x\0y", 3));
  out.WriteRect({-10, 20, 30000, -40});
  const auto bytes = out.TakeData();

  CourseStream in(bytes);
  EXPECT_FALSE(in.ReadFlag());
  EXPECT_EQ(in.ReadSignedByte(), -128);
  EXPECT_EQ(in.ReadU16(), 0xFFFF);
  EXPECT_EQ(in.ReadI16(), -32768);
  EXPECT_EQ(in.ReadI32(), -5);
  EXPECT_EQ(in.ReadString(), "");
  EXPECT_EQ(in.ReadString(), std::string("x\0y", 3));
  EXPECT_EQ(in.ReadRect(), (CourseRect{-10, 20, 30000, -40}));
  EXPECT_TRUE(in.atEnd());
}

TEST(CourseStream, AnyNonZeroByteReadsAsAFlag) {
  const auto bytes = Bytes({0, 1, 2, 0x80, 0xFF});
  CourseStream in(bytes);
  EXPECT_FALSE(in.ReadFlag());
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(in.ReadFlag());
}

TEST(CourseStream, CutsLongStringsAndClampsRectangles) {
  CourseStream out;
  out.WriteString(std::string(300, 'z'));
  out.WriteRect({-100000, 0, 100000, 40000});
  const auto bytes = out.TakeData();
  CourseStream in(bytes);
  EXPECT_EQ(in.ReadString(), std::string(255, 'z'));
  EXPECT_EQ(in.ReadRect(), (CourseRect{-32768, 0, 32767, 32767}));
}

TEST(CourseStream, EveryTruncationRaisesEndOfData) {
  CourseStream out;
  out.WriteU16(7);
  out.WriteU32(9);
  out.WriteString("hello");
  out.WriteRect({1, 2, 3, 4});
  const auto full = out.TakeData();
  for (std::size_t n = 0; n < full.size(); ++n) {
    const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
    CourseStream in(cut, "cut.kns");
    EXPECT_THROW(
        {
          in.ReadU16();
          in.ReadU32();
          in.ReadString();
          in.ReadRect();
        },
        CourseStreamEnd)
        << n;
  }
}

TEST(CourseStream, ALengthByteBeyondTheDataIsNotTrusted) {
  const auto bytes = Bytes({200, 'a', 'b'});
  CourseStream in(bytes, "short.mrk");
  try {
    in.ReadString("student name");
    FAIL() << "read past the end";
  } catch (const CourseStreamEnd& e) {
    EXPECT_EQ(e.offset(), 1);
    EXPECT_NE(std::string(e.what()).find("student name"), std::string::npos);
    EXPECT_EQ(e.kind(), CourseFileError::Kind::Format);
  }
}
