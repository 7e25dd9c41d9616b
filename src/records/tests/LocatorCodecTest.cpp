#include <gtest/gtest.h>

#include "RecordsTestSupport.h"
#include "course/CourseStream.h"
#include "records/LocatorCodec.h"

using kntest::Loc;

namespace {

const std::vector<ActivityLocator>& Samples() {
  static const std::vector<ActivityLocator> s = {
      Loc(0, 0, 0),
      Loc(-1, -1, -1),
      Loc(1, 0, -1, 255),
      Loc(0, -1, -1, 3, 11, "hw1.wrk"),
      Loc(2, 5, 7, 12, 0, nullptr, "my note"),
      Loc(-128, 127, -2, 0, 9, std::string(255, 'f').c_str(), std::string(255, 's').c_str()),
  };
  return s;
}

TEST(LocatorCodec, StreamAndFlatFormsRoundTrip) {
  for (const ActivityLocator& l : Samples()) {
    CourseStream out;
    WriteLocator(out, l);
    const auto bytes = out.TakeData();
    EXPECT_EQ(bytes, FlattenLocator(l));
    CourseStream in(bytes);
    EXPECT_EQ(ReadLocator(in), l);
    EXPECT_TRUE(in.atEnd());
  }
}

TEST(LocatorCodec, LayoutIsFiveBytesThenTwoStrings) {
  const auto bytes = FlattenLocator(Loc(1, -1, 2, 7, 10, "p.prj", "ab"));
  const std::vector<std::uint8_t> expected = {1, 0xFF, 2, 7, 10, 5, 'p', '.', 'p', 'r', 'j', 2, 'a', 'b'};
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(FlattenLocator(Loc(0, 0, 0)).size(), kMinLocatorBytes);
}

TEST(LocatorCodec, EmptyStringsReadAsAbsent) {
  ActivityLocator l = Loc(0, 0, 0);
  l.file = "";
  l.source = "";
  const auto bytes = FlattenLocator(l);
  CourseStream in(bytes);
  const ActivityLocator back = ReadLocator(in);
  EXPECT_FALSE(back.file.has_value());
  EXPECT_FALSE(back.source.has_value());
}

TEST(LocatorCodec, EveryTruncationEndsTheRead) {
  const auto bytes = FlattenLocator(Loc(1, 0, 0, 0, 11, "hw1.wrk", "text"));
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    CourseStream in(std::span(bytes.data(), n));
    EXPECT_THROW(ReadLocator(in), CourseStreamEnd) << n;
    EXPECT_FALSE(UnflattenLocator(std::span(bytes.data(), n), kntest::RecordsContents())) << n;
  }
}

TEST(LocatorCodec, FlatLocatorNeedsAFileOrAPlaceTheContentsHold) {
  const ContentsTable& c = kntest::RecordsContents();
  struct Case {
    ActivityLocator locator;
    bool accepted;
  } cases[] = {
      {Loc(0, 0, 1), true},                    // quiz.fil
      {Loc(0, 1, -1), true},                   // a page
      {Loc(1, -1, -1), true},                  // a lesson
      {Loc(0, 0, 2), false},                   // past the page's activities
      {Loc(0, 2, -1), false},                  // past the lesson's pages
      {Loc(2, 0, 0), false},                   // past the lessons
      {Loc(-1, -1, -1), false},                // nothing
      {Loc(1, -1, 0), false},                  // an activity of no page
      {Loc(9, -1, -1, 0, 11, "x.wrk"), true},  // a file is enough
  };
  for (const Case& k : cases) {
    const auto got = UnflattenLocator(FlattenLocator(k.locator), c);
    EXPECT_EQ(got.has_value(), k.accepted)
        << int(k.locator.lesson) << "," << int(k.locator.page) << "," << int(k.locator.activity);
    if (got) {
      EXPECT_EQ(*got, k.locator);
    }
  }
}

TEST(LocatorCodec, FlatLocatorIgnoresPaddingAfterIt) {
  auto bytes = FlattenLocator(Loc(0, 0, 0, 0, 0, nullptr, "note"));
  bytes.resize(bytes.size() + 9, 0xEE);
  const auto got = UnflattenLocator(bytes, kntest::RecordsContents());
  ASSERT_TRUE(got);
  EXPECT_EQ(got->source, "note");
}

}  // namespace
