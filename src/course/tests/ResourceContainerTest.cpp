#include <gtest/gtest.h>

#include "TestSupport.h"
#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"

namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

struct E {
  std::uint32_t type;
  const char* name;
};

ContainerDirectory DirectoryOf(std::initializer_list<E> entries) {
  ContainerWriter w;
  for (const auto& e : entries) w.AddEntry(e.type, e.name, Bytes(e.name));
  const auto bytes = w.Build();
  return ContainerDirectory::Parse(bytes, bytes.size());
}

// Index of the found entry in directory order, -1 for none.
int Find(const ContainerDirectory& d, const char* name, int type) {
  const ContainerEntry* e = d.FindEntry(name, type);
  return e ? static_cast<int>(e - d.entries().data()) : -1;
}

TEST(ResourceContainerLookup, FollowsTheLookupRules) {
  struct Case {
    const char* what;
    std::initializer_list<E> entries;
    const char* name;
    int type;
    int expected;
  };
  const Case cases[] = {
      {"empty directory", {}, "Chart", -1, -1},
      {"empty directory, picture", {}, "Chart", 0, -1},
      {"lower case", {{0, "Chart"}}, "chart", 0, 0},
      {"upper case", {{0, "Chart"}}, "CHART", 0, 0},
      {"two pictures: the later", {{0, "Chart"}, {0, "Chart"}}, "Chart", 0, 1},
      {"two sounds: the earlier", {{1, "Ding"}, {1, "Ding"}}, "Ding", 1, 0},
      {"two texts: the earlier", {{2, "Note"}, {2, "note"}}, "NOTE", 2, 0},
      {"@ before plain", {{0, "Chart@"}, {0, "Chart"}}, "Chart", 0, 0},
      {"@ after plain", {{0, "Chart"}, {0, "Chart@"}}, "Chart", 0, 1},
      {"sound Chart@ never for a picture", {{1, "Chart@"}, {0, "Chart"}}, "Chart", 0, 1},
      {"only a sound Chart@", {{1, "Chart@"}}, "Chart", 0, -1},
      {"@ plays no part for sounds", {{1, "Ding@"}, {1, "Ding"}}, "Ding", 1, 1},
      {"any type: first of that name", {{2, "X"}, {0, "X"}, {1, "X"}}, "x", -1, 0},
      {"type filter skips others", {{2, "X"}, {0, "X"}, {1, "X"}}, "x", 1, 2},
      {"one character longer", {{0, "Charts"}}, "Chart", 0, -1},
      {"one character shorter", {{0, "Char"}}, "Chart", 0, -1},
      {"later @ replaces earlier @", {{0, "a@"}, {0, "A@"}}, "a", 0, 1},
      {"@ request name itself", {{0, "Chart@"}}, "Chart@", 0, 0},
  };
  for (const auto& c : cases) {
    const auto d = DirectoryOf(c.entries);
    EXPECT_EQ(Find(d, c.name, c.type), c.expected) << c.what;
  }
}

TEST(ResourceContainerLookup, NullDirectoryFindsNothing) {
  EXPECT_EQ(FindEntry(nullptr, "Chart", 0), nullptr);
}

TEST(ResourceContainerFile, ReadsEntriesAndTextSection) {
  ContainerWriter w;
  w.SetTypeCode(*TypeCodeFromString("tftb"));
  w.AddEntry(kEntryPicture, "Splash Screen", {1, 2, 3});
  w.AddEntry(kEntryText, "Application", Bytes("My Course"));
  w.AddEntry(kEntrySound, "Ding", {});
  w.SetText(Bytes("<p>Hello</p>"));
  const auto bytes = w.Build();

  // The type code is stored with its first character in the high byte.
  EXPECT_EQ(bytes[8], 'b');
  EXPECT_EQ(bytes[11], 't');

  const auto dir = kntest::MakeTempDir();
  kntest::WriteFileBytes(dir / "c.knp", bytes);
  auto c = ResourceContainer::Open(dir / "c.knp");
  EXPECT_EQ(TypeCodeToString(c.typeCode()), "tftb");
  ASSERT_EQ(c.directory().count(), 3u);
  EXPECT_EQ(c.ReadEntry("splash screen", kEntryPicture), (std::vector<std::uint8_t>{1, 2, 3}));
  // Text entries come back NUL-terminated.
  auto text = c.ReadEntry("APPLICATION", kEntryText);
  ASSERT_TRUE(text);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(text->data())), "My Course");
  EXPECT_EQ(text->size(), 10u);
  EXPECT_EQ(c.ReadEntry("Ding", kEntrySound), std::vector<std::uint8_t>{});
  EXPECT_FALSE(c.ReadEntry("Ding", kEntryText));
  EXPECT_EQ(c.ReadTextSection(), Bytes("<p>Hello</p>"));
}

TEST(ResourceContainerFile, RejectsEveryTruncationOfDirectoryOrData) {
  ContainerWriter w;
  w.AddEntry(kEntryPicture, "A", std::vector<std::uint8_t>(10, 7));
  w.AddEntry(kEntryText, "B", Bytes("text"));
  w.SetText(Bytes("section"));
  const auto bytes = w.Build();
  const std::size_t dataEnd = bytes.size() - 7;
  for (std::size_t n = 0; n < dataEnd; ++n) {
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_THROW(ResourceContainer::FromBytes(cut), CourseFileError) << "length " << n;
  }
  // Cutting only into the text section leaves a valid, shorter text.
  std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 3);
  auto c = ResourceContainer::FromBytes(cut);
  EXPECT_EQ(c.ReadTextSection(), Bytes("sect"));
}

std::vector<std::uint8_t> Header(std::uint32_t count, std::uint32_t textOffset) {
  std::vector<std::uint8_t> b(12, 0);
  for (int i = 0; i < 4; ++i) {
    b[i] = static_cast<std::uint8_t>(count >> (8 * i));
    b[4 + i] = static_cast<std::uint8_t>(textOffset >> (8 * i));
  }
  return b;
}

TEST(ResourceContainerFile, NamesTheOffsetOfAFault) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    std::int64_t offset;
    const char* fragment;
  };
  auto oversized = Header(0x10000000, 12);  // a count that cannot fit: refused before allocation
  auto textPastEnd = Header(0, 100);
  auto textInDirectory = Header(1, 20);
  textInDirectory.resize(56 + 4, 0);
  auto entryPastEnd = Header(1, 56);
  entryPastEnd.resize(56, 0);
  entryPastEnd[48] = 56;  // offset 56
  entryPastEnd[52] = 1;   // length 1, file ends at 56
  auto entryInDirectory = Header(1, 56);
  entryInDirectory.resize(60, 0);
  entryInDirectory[48] = 4;  // data at 4..12 overlaps the header
  entryInDirectory[52] = 8;
  auto hugeOffset = Header(1, 56);
  hugeOffset.resize(56, 0);
  hugeOffset[48] = hugeOffset[49] = hugeOffset[50] = hugeOffset[51] = 0xFF;
  hugeOffset[52] = 2;
  const Case cases[] = {
      {"short header", {1, 0, 0}, 0, "shorter than the 12-byte header"},
      {"oversized directory", oversized, 0, "entries needs"},
      {"text beyond end", textPastEnd, 4, "beyond the end"},
      {"text inside directory", textInDirectory, 4, "overlaps the directory"},
      {"entry past end", entryPastEnd, 48, "runs past the end"},
      {"entry over directory", entryInDirectory, 48, "overlaps the header"},
      {"offset + length wraps 32 bits", hugeOffset, 48, "runs past the end"},
  };
  for (const auto& c : cases) {
    try {
      ResourceContainer::FromBytes(c.bytes, "x.knp");
      ADD_FAILURE() << c.what << ": accepted";
    } catch (const CourseFileError& e) {
      EXPECT_EQ(e.kind(), CourseFileError::Kind::Format) << c.what;
      EXPECT_EQ(e.offset(), c.offset) << c.what << ": " << e.what();
      EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << c.what << ": " << e.what();
      EXPECT_NE(std::string(e.what()).find("x.knp"), std::string::npos) << c.what;
    }
  }
}

TEST(ResourceContainerFile, NameFieldWithoutTerminatorKeepsThirtyTwoBytes) {
  auto b = Header(1, 56);
  b.resize(56, 0);
  for (int i = 0; i < 32; ++i) b[16 + i] = 'a';
  auto d = ContainerDirectory::Parse(b, b.size());
  EXPECT_EQ(d.entries()[0].name.size(), 32u);
}

TEST(ResourceContainerWriter, RejectsNamesThatDoNotFit) {
  ContainerWriter w;
  EXPECT_THROW(w.AddEntry(0, std::string(32, 'x'), {}), std::invalid_argument);
  EXPECT_NO_THROW(w.AddEntry(0, std::string(31, 'x'), {}));
  EXPECT_THROW(w.AddEntry(0, std::string("a\0b", 3), {}), std::invalid_argument);
}

TEST(ResourceContainerWriter, TypeCodesConvertBothWays) {
  EXPECT_EQ(*TypeCodeFromString("tftb"), 0x74667462u);
  EXPECT_EQ(TypeCodeToString(0x74667462u), "tftb");
  EXPECT_FALSE(TypeCodeFromString("abc"));
}

}  // namespace
