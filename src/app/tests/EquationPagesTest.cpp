// Lesson Book pages with the equation renderer the program connects: a "math" element
// becomes its paragraph's picture, and the page says it must be read again when the
// text size changes.
#include <gtest/gtest.h>

#include "equations/EquationPicture.h"
#include "hypertext/HyperServices.h"
#include "hypertext/Picture.h"
#include "lessonbook/PageLoader.h"

namespace {

constexpr const char* kText =
    "The z-score <math><mi>z</mi><mo>=</mo><mfrac><mrow><mi>x</mi><mo>-</mo><mi fontfamily=\"symbol\">m</mi></mrow>"
    "<mi fontfamily=\"symbol\">s</mi></mfrac></math> measures distance.<p>Next.";

TEST(EquationHandOver, LessonBookPagesTakeTheEquationAsTheirPicture) {
  PageLoadLinks links;
  const PageContent without = ParsePageMarkup(kText, nullptr, {}, links, 12);
  EXPECT_FALSE(without.sizeDependentPictures);
  SetEquationRenderer(EquationPicture);
  links.renderEquation = CurrentEquationRenderer();
  const PageContent with = ParsePageMarkup(kText, nullptr, {}, links, 12);
  ASSERT_FALSE(with.paragraphs.empty());
  EXPECT_TRUE(with.sizeDependentPictures);
  ASSERT_TRUE(with.paragraphs[0].picture);
  EXPECT_EQ(with.paragraphs[0].picture->kind(), Picture::kMetafile);
  EXPECT_FALSE(with.paragraphs[1].picture);
  SetEquationRenderer({});
}

}  // namespace
