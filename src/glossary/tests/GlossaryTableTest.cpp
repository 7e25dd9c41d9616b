// The glossary's definition list, its term lookup, what the definition pane shows and
// what Copy puts on the clipboard.
#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "course/ResourceContainer.h"
#include "glossary/GlossaryLayout.h"
#include "glossary/GlossaryTable.h"
#include "hypertext/Picture.h"

namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs Terms(std::string_view text) {
  GlossaryTable table;
  table.LoadText(Bytes(text));
  Pairs out;
  for (int i = 0; i < table.Count(); ++i) out.emplace_back(table.TermName(i), table.Definition(i));
  return out;
}

TEST(GlossaryTable, DefinitionListsAsTheTokenizerSeesThem) {
  struct Row {
    const char* text;
    Pairs expect;
  };
  const Row rows[] = {
      {"<dl><dt>mean<dd>The average.</dl>", {{"mean", "The average."}}},
      // CR LF after a name goes; the last definition runs to the end without a </dl>.
      {"<dt>median\r\n<dd>Middle value.", {{"median", "Middle value."}}},
      // Tags of any length and case; closing tags end the element without losing text.
      {"<DT >mode<DD x=y>Most common.</dd><dt>range</dt><dd>Spread.</dd>",
       {{"mode", "Most common."}, {"range", "Spread."}}},
      // A definition with no term before it belongs to nobody, not to the next term.
      {"<dd>orphan<dt>skew<dd>Lopsided.", {{"skew", "Lopsided."}}},
      // A term without a definition is dropped; leading blanks and inner tags are kept.
      {"<dt>lost<dt> spread<dd>How <b>far</b> values lie.", {{" spread", "How <b>far</b> values lie."}}},
      {"<dl></dl>", {}},
      {"no tags at all", {}},
      {"", {}},
  };
  for (const Row& r : rows) EXPECT_EQ(Terms(r.text), r.expect) << r.text;
}

TEST(GlossaryTable, FindTermTakesAFinalSOrDOffOrOn) {
  GlossaryTable table;
  table.LoadText(Bytes("<dt>mean<dd>a<dt>modes<dd>b<dt>standardize<dd>c<dt>Normal<dd>d"));
  struct Row {
    const char* text;
    int expect;
  };
  const Row rows[] = {
      {"mean", 0},         {"means", 0},  {"MEAN", 0},    {"mode", 1},   {"modes", 1},
      {"standardized", 2}, {"normal", 3}, {"normals", 3}, {"MEANS", -1},  // a capital S is no plural
      {"MODE", 1},         {"meand", 0},  {"", -1},       {"median", -1},
  };
  for (const Row& r : rows) EXPECT_EQ(table.FindTerm(r.text), r.expect) << r.text;
  EXPECT_EQ(table.FirstTermStartingWith('M'), 0);
  EXPECT_EQ(table.FirstTermStartingWith('n'), 3);
  EXPECT_EQ(table.FirstTermStartingWith('z'), -1);  // no term starts with it
  EXPECT_EQ(table.FirstTermStartingWith('#'), -1);
  EXPECT_EQ(table.TermName(4), "");
  EXPECT_EQ(table.Definition(-1), "");
}

TEST(GlossaryTable, DisplayAndCopyTexts) {
  const std::string plain = GlossaryDisplayText("mean", "The average of the values.", {});
  EXPECT_EQ(plain, "<B>mean</B>:<P><P>The average of the values.");
  const std::string context = GlossaryDisplayText("mean", "The average of the values.", "Here, the sample mean.");
  EXPECT_EQ(context, "<B>mean</B>:<P><P>Here, the sample mean.<P><P>In general, the average of the values.");
  EXPECT_EQ(GlossaryPlainText(context), "mean:\n\nHere, the sample mean.\n\nIn general, the average of the values.");
  // Line breaks count, equations and other tags do not.
  EXPECT_EQ(GlossaryPlainText("a<br>b <math><mi>x</mi></math>c <i>d</i>"), "a\nb c d");
}

TEST(GlossaryTable, PicturesComeFromTheContainer) {
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  ContainerWriter writer;
  writer.AddEntry(kEntryPicture, "curve", std::vector<std::uint8_t>(png.begin(), png.end()));
  writer.AddEntry(kEntryPicture, "broken", Bytes("not a picture"));
  writer.SetText(Bytes("<dt>curve<dd>See <img s=curve>."));
  GlossaryTable table;
  table.Load(ResourceContainer::FromBytes(writer.Build(), "glossary.gls"));
  ASSERT_EQ(table.Count(), 1);
  EXPECT_EQ(table.Definition(0), "See <img s=curve>.");
  const auto picture = table.LoadPicture("curve");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Size(), QSize(4, 3));
  EXPECT_EQ(table.LoadPicture("broken"), nullptr);
  EXPECT_EQ(table.LoadPicture("missing"), nullptr);
}

}  // namespace

namespace {

TEST(GlossaryLayout, CrossReferencesWrappingAndThePicture) {
  GlossaryPaneStyle style;
  const std::string longPhrase = "standard error of the difference between two sample means";  // > 47 bytes
  const std::string text = GlossaryDisplayText(
      "se", "See <dfn>" + longPhrase + "</dfn> and <dfn>mean</dfn>. <img s=first><img s=second>", {});
  const GlossaryPaneLayout wide = LayGlossaryText(text, 2000, 0, style, nullptr);
  ASSERT_EQ(wide.references.size(), 2u);
  EXPECT_EQ(wide.references[0].text, longPhrase);  // whole, so it finds its own term
  EXPECT_EQ(wide.references[1].text, "mean");
  EXPECT_EQ(wide.picture, "first");
  // The same references on a narrow pane: more lines, the phrase still one unbroken box.
  const GlossaryPaneLayout narrow = LayGlossaryText(text, 120, 0, style, nullptr);
  EXPECT_GT(narrow.textBottom, wide.textBottom);
  ASSERT_EQ(narrow.references.size(), 2u);
  EXPECT_EQ(narrow.references[0].rect.height(), wide.references[0].rect.height());
  EXPECT_EQ(narrow.references[0].rect.width(), wide.references[0].rect.width());
  EXPECT_GT(narrow.references[1].rect.top(), narrow.references[0].rect.top());
  // Measuring and drawing lay out alike.
  QImage image(120, 400, QImage::Format_RGB32);
  QPainter painter(&image);
  const GlossaryPaneLayout drawn = LayGlossaryText(text, 120, 0, style, &painter);
  EXPECT_EQ(drawn.textBottom, narrow.textBottom);
  EXPECT_EQ(drawn.references[1].rect, narrow.references[1].rect);
}

TEST(GlossaryLayout, TheFirstEquationTakesThePicturesPlace) {
  GlossaryPaneStyle style;
  const GlossaryPaneLayout alone =
      LayGlossaryText("The mean <math><mi>x</mi></math> and <math><mi>y</mi></math>.", 400, 0, style, nullptr);
  EXPECT_EQ(alone.equation.find("<mi>x</mi>") != std::string::npos, true) << alone.equation;
  EXPECT_TRUE(alone.picture.empty());
  const GlossaryPaneLayout pictured =
      LayGlossaryText("See <img s=curve> and <math><mi>x</mi></math>.", 400, 0, style, nullptr);
  EXPECT_EQ(pictured.picture, "curve");
  EXPECT_TRUE(pictured.equation.empty());  // the picture was there first: the equation stays in the line
}

}  // namespace
