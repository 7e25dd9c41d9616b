#include <gtest/gtest.h>

#include <QtGui/QFontInfo>

#include "hypertext/FontDescription.h"
#include "hypertext/MarkupTokenizer.h"

namespace {

FontDescription Described(int size, std::uint32_t flags, const char* face = "") {
  FontDescription f;
  f.size = size;
  f.flags = flags;
  f.SetFace(face);
  return f;
}

TEST(FontDescription, FaceComesFromTheFlagsUnlessGiven) {
  const struct {
    std::uint32_t flags;
    const char* face;
    const char* requested;
  } cases[] = {
      {0, "", "Arial"},
      {kFontSerif, "", "Times New Roman"},
      {kFontFixed | kFontSerif, "", "Courier New"},
      {kFontCode, "", "Courier New"},
      {kFontSymbol | kFontFixed, "", "Symbol"},
      {kFontSymbol, "Georgia", "Symbol"},
      {kFontSerif, "Verdana", "Verdana"},
      {0, "NoSuchFace, Arial, Times New Roman", "Arial"},
      {0, "NoSuchFace,AlsoMissing", "NoSuchFace"},
  };
  for (const auto& c : cases) EXPECT_EQ(RequestedFace(Described(12, c.flags, c.face)), c.requested) << c.face;
}

TEST(FontDescription, CourseFacesAreDrawnWithTheirMetricCompatibleSubstitutes) {
  EXPECT_EQ(SubstituteFace("Arial"), "Liberation Sans");
  EXPECT_EQ(SubstituteFace("times new roman"), "Liberation Serif");
  EXPECT_EQ(SubstituteFace(" Courier New "), "Liberation Mono");
  EXPECT_EQ(SubstituteFace("Verdana"), "Verdana");
  EXPECT_TRUE(IsFaceInstalled("Times New Roman"));
  EXPECT_FALSE(IsFaceInstalled("NoSuchFace"));

  const QFont body = CreateFont(Described(12, kFontSerif | kFontPoints), 96);
  EXPECT_EQ(QFontInfo(body).family(), "Liberation Serif");
  EXPECT_EQ(body.pixelSize(), 16);
  // Greek from the Symbol font is drawn with the serif face.
  EXPECT_EQ(QFontInfo(CreateFont(Described(12, kFontSymbol | kFontSerif), 96)).family(), "Liberation Serif");
  EXPECT_EQ(QFontInfo(CreateFont(Described(12, kFontFixed), 96)).family(), "Liberation Mono");
  EXPECT_EQ(FontEncoding(Described(12, kFontSymbol)), CourseEncoding::Symbol);
  EXPECT_EQ(FontEncoding(Described(12, 0, "Symbol")), CourseEncoding::Symbol);
  EXPECT_EQ(FontEncoding(Described(12, kFontSerif)), CourseEncoding::Windows1252);
}

TEST(FontDescription, SizeWeightAndStyle) {
  EXPECT_EQ(FontPixelSize(Described(14, kFontPoints), 96), 19);  // 18.67 rounded
  EXPECT_EQ(FontPixelSize(Described(12, kFontPoints), 72), 12);
  EXPECT_EQ(FontPixelSize(Described(12, 0), 300), 12);
  EXPECT_EQ(FontPixelSize(Described(-5, 0), 96), 1);
  EXPECT_EQ(FontPixelSize(Described(100000, kFontPoints), 96), 400);

  EXPECT_EQ(CreateFont(Described(12, kFontBold), 96).weight(), QFont::Weight(600));
  EXPECT_EQ(CreateFont(Described(12, kFontHeavy), 96).weight(), QFont::Weight(600));
  EXPECT_EQ(CreateFont(Described(12, 0), 96).weight(), QFont::Weight(400));
  const QFont styled = CreateFont(Described(12, kFontItalic | kFontUnderline), 96);
  EXPECT_TRUE(styled.italic());
  EXPECT_TRUE(styled.underline());
}

FontDescription AfterTag(const FontDescription& start, const char* tag) {
  FontDescription f = start;
  Tokenize(tag, [&f](MarkupEvent& e) {
    if (e.IsTag()) ApplyFontAttributes(f, e);
  });
  return f;
}

TEST(FontDescription, FontTagAttributes) {
  const FontDescription base = Described(12, kFontSerif | kFontPoints, "Georgia");
  EXPECT_EQ(AfterTag(base, "<font size=+2>").size, 14);
  EXPECT_EQ(AfterTag(base, "<font size=\"-3\">").size, 9);
  EXPECT_EQ(AfterTag(base, "<font size=20>").size, 20);
  EXPECT_EQ(AfterTag(base, "<font size=big>").size, 12);

  EXPECT_EQ(AfterTag(base, "<font color=\"#00FF80\">").colour, qRgb(0, 255, 128));
  EXPECT_EQ(AfterTag(base, "<font color=red>").colour, base.colour);
  EXPECT_EQ(AfterTag(base, "<font color=#00ff8>").colour, base.colour);
  EXPECT_EQ(AfterTag(base, "<font color=#00ff8g>").colour, base.colour);

  const struct {
    const char* tag;
    std::uint32_t flags;
    const char* face;
  } faces[] = {
      {"<font face=fixed>", kFontSerif | kFontPoints | kFontFixed, ""},
      {"<font face=code>", kFontSerif | kFontPoints | kFontCode, ""},
      {"<font face=sans>", kFontPoints, ""},
      {"<font face=SansSerif>", kFontPoints, ""},
      {"<font face=serif>", kFontSerif | kFontPoints, ""},
      {"<font face=symbol>", kFontSerif | kFontPoints | kFontSymbol, ""},
      {"<font face=\"Arial, Helvetica\">", kFontSerif | kFontPoints, "Arial, Helvetica"},
      {"<font f=\"Verdana\" s=+1>", kFontSerif | kFontPoints, "Verdana"},  // normalised names
  };
  for (const auto& c : faces) {
    const FontDescription f = AfterTag(base, c.tag);
    EXPECT_EQ(f.flags, c.flags) << c.tag;
    EXPECT_EQ(f.Face(), c.face) << c.tag;
  }
}

}  // namespace
