// Equations in hypertext views, through the program's renderer as the course links hand
// it on.
#include <gtest/gtest.h>

#include "course/ActivityLocator.h"
#include "equations/EquationPicture.h"
#include "hypertext/HyperFirstPass.h"
#include "hypertext/HyperServices.h"
#include "hypertext/Picture.h"

namespace {

constexpr const char* kText =
    "The z-score <math><mi>z</mi><mo>=</mo><mfrac><mrow><mi>x</mi><mo>-</mo><mi fontfamily=\"symbol\">m</mi></mrow>"
    "<mi fontfamily=\"symbol\">s</mi></mfrac></math> measures distance.<p>Next.";

struct ScopedRenderer {
  explicit ScopedRenderer(EquationRenderer r) : previous(SetEquationRenderer(std::move(r))) {}
  ~ScopedRenderer() { SetEquationRenderer(std::move(previous)); }
  EquationRenderer previous;
};

TEST(EquationHandOver, HypertextShowsTheEquationAsTheParagraphsPicture) {
  {
    // Without a renderer the element's text stands in the line.
    const HyperContent plain = RunFirstPass(kText, nullptr, {}, CourseSourceLinks(ActivityLocator()), QFont(), 12);
    ASSERT_FALSE(plain.paragraphs.empty());
    EXPECT_FALSE(plain.paragraphs[0].picture);
    EXPECT_NE(plain.paragraphs[0].text.find("z=x-ms"), std::string::npos) << plain.paragraphs[0].text;
  }
  ScopedRenderer renderer(EquationPicture);
  const HyperContent small = RunFirstPass(kText, nullptr, {}, CourseSourceLinks(ActivityLocator()), QFont(), 10);
  const HyperContent large = RunFirstPass(kText, nullptr, {}, CourseSourceLinks(ActivityLocator()), QFont(), 20);
  ASSERT_TRUE(small.paragraphs[0].picture);
  ASSERT_TRUE(large.paragraphs[0].picture);
  EXPECT_TRUE(small.sizeDependentPictures);
  EXPECT_EQ(small.paragraphs[0].picture->kind(), Picture::kMetafile);
  EXPECT_EQ(small.paragraphs[0].text.find("z ="), std::string::npos);
  const QSize a = small.paragraphs[0].picture->Size();
  const QSize b = large.paragraphs[0].picture->Size();
  EXPECT_GT(b.width(), a.width());
  EXPECT_GT(b.height(), a.height());
}

}  // namespace
