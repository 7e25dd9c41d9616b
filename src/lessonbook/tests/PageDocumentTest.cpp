// What a laid-out page draws: state marks or clocks, shrunk entries, asterisk markers,
// the chrome of each format, the selection and the copied text.
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <set>

#include "LessonBookTestSupport.h"
#include "lessonbook/PageDocument.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 700;

class PageDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.SetDpiY(96);
    doc.SetAsteriskSources(&course.sources);
    Load(lbtest::kFirstPageMarkup);
  }
  void Load(const std::string& markup) {
    doc.SetContent(ParsePageFile(lbtest::PageFile(markup), {}, 12));
    doc.Layout(kWidth, kHeight);
  }
  void Apply(const PageSettings& settings) {
    doc.SetSettings(settings);
    doc.Layout(kWidth, kHeight);
  }
  QImage Render() {
    QImage image(doc.canvasSize(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    doc.Paint(painter, QRect(QPoint(0, 0), doc.canvasSize()), 0, kHeight, {});
    return image;
  }
  // Whether the clock's pale yellow dial shows inside the state mark of paragraph i.
  bool ShowsClock(int i) {
    const QImage image = Render();
    const QRect mark = doc.paragraphs().at(static_cast<std::size_t>(i)).markRect;
    EXPECT_FALSE(mark.isEmpty());
    for (int y = mark.top(); y <= mark.bottom(); ++y)
      for (int x = mark.left(); x <= mark.right(); ++x)
        if (image.pixel(x, y) == qRgb(255, 255, 204)) return true;
    return false;
  }
  std::vector<int> Heights() const {
    std::vector<int> out;
    for (const PageParagraph& p : doc.paragraphs()) out.push_back(p.height);
    return out;
  }

  lbtest::CourseFixture course;
  PageDocument doc;
};

TEST_F(PageDocumentTest, EstimatedTimeShowsAClockUnlessZeroCompletedOrHidden) {
  EXPECT_FALSE(ShowsClock(2));  // 0 minutes: the state picture
  EXPECT_TRUE(ShowsClock(4));   // 5 minutes

  doc.paragraphs()[4].completed = true;
  doc.Layout(kWidth, kHeight);
  EXPECT_FALSE(ShowsClock(4));
  doc.paragraphs()[4].completed = false;

  PageSettings hidden = doc.settings();
  hidden.hideTime = true;
  Apply(hidden);
  EXPECT_FALSE(ShowsClock(2));
  EXPECT_FALSE(ShowsClock(4));
}

TEST_F(PageDocumentTest, ShrinkingHidesTheExplanationAboveAndShrinkingAgainRestoresIt) {
  const std::vector<int> before = Heights();
  const int canvasBefore = doc.canvasSize().height();
  EXPECT_TRUE(doc.ToggleShrink(4));
  doc.Layout(kWidth, kHeight);
  EXPECT_TRUE(doc.paragraphs()[3].shrunk);
  EXPECT_TRUE(doc.paragraphs()[4].shrunk);
  EXPECT_FALSE(doc.paragraphs()[2].shrunk);  // the previous entry stays as it was
  EXPECT_EQ(doc.paragraphs()[3].height, 0);
  EXPECT_LT(doc.paragraphs()[4].height, before[4]);
  EXPECT_EQ(doc.paragraphs()[2].height, before[2]);

  EXPECT_FALSE(doc.ToggleShrink(4));
  doc.Layout(kWidth, kHeight);
  EXPECT_EQ(Heights(), before);
  EXPECT_EQ(doc.canvasSize().height(), canvasBefore);
}

TEST_F(PageDocumentTest, EntryMarkedShrunkInTheFileStartsWithItsExplanationHidden) {
  Load("Explain.<p><img s=icon e=1 h=1><h2>A</h2>Text.<p>");
  EXPECT_TRUE(doc.paragraphs()[0].shrunk);
  EXPECT_EQ(doc.paragraphs()[0].height, 0);
  EXPECT_FALSE(doc.ToggleShrink(1));
  doc.Layout(kWidth, kHeight);
  EXPECT_GT(doc.paragraphs()[0].height, 0);
}

TEST_F(PageDocumentTest, AsteriskMarkersOnlyForIncludedSources) {
  ASSERT_EQ(doc.paragraphs()[3].markers.size(), 1u);
  EXPECT_EQ(doc.paragraphs()[3].markers[0].files, std::vector<std::string>{"note1.ast"});
  const QRect marker = doc.paragraphs()[3].markers[0].rect;
  const PageHit hit = doc.HitTest(marker.center(), 0, kHeight);
  EXPECT_EQ(hit.element, PageElement::Marker);
  EXPECT_EQ(hit.paragraph, 3);

  PageSettings excluded = doc.settings();
  excluded.asterisks = 1;  // the "note" source
  Apply(excluded);
  EXPECT_TRUE(doc.paragraphs()[3].markers.empty());
  EXPECT_NE(doc.HitTest(marker.center(), 0, kHeight).element, PageElement::Marker);

  excluded.asterisks = 2;  // another source: the note stays
  Apply(excluded);
  EXPECT_EQ(doc.paragraphs()[3].markers.size(), 1u);
}

TEST_F(PageDocumentTest, IconHitsItsEntryAndSelectionCoversTheExplanationWhenAsked) {
  const QRect icon = doc.paragraphs()[4].iconRect;
  ASSERT_FALSE(icon.isEmpty());
  const PageHit hit = doc.HitTest(icon.center(), 0, kHeight);
  EXPECT_EQ(hit.element, PageElement::Icon);
  EXPECT_EQ(hit.paragraph, 4);

  EXPECT_TRUE(doc.SelectActivity(1, false, false));
  std::vector<bool> selected;
  for (const PageParagraph& p : doc.paragraphs()) selected.push_back(p.selected);
  EXPECT_EQ(selected, (std::vector<bool>{false, false, false, false, true}));
  EXPECT_TRUE(doc.SelectActivity(1, true, false));
  EXPECT_TRUE(doc.paragraphs()[3].selected);
  EXPECT_FALSE(doc.paragraphs()[2].selected);
  EXPECT_FALSE(doc.SelectActivity(7, false, false));
}

TEST_F(PageDocumentTest, CopyGivesTitlesAndTextsOrOnlyTheSelection) {
  const std::string all = doc.CopyText();
  EXPECT_NE(all.find("Welcome"), std::string::npos);
  EXPECT_NE(all.find("This page opens the course."), std::string::npos);
  EXPECT_NE(all.find("Five questions."), std::string::npos);
  EXPECT_EQ(all.find('<'), std::string::npos);
  EXPECT_NE(all.find("\r\n\r\nWatch the film first."), std::string::npos);

  doc.SelectActivity(0, false, false);
  const std::string one = doc.CopyText();
  EXPECT_NE(one.find("Intro film"), std::string::npos);
  EXPECT_EQ(one.find("Five questions."), std::string::npos);
}

TEST_F(PageDocumentTest, EveryFormatDrawsItsOwnChrome) {
  Load("Plain words.<p>");
  std::set<std::vector<QRgb>> looks;
  for (int format = 0; format < kPageFormatCount; ++format) {
    SCOPED_TRACE(format);
    PageSettings settings = doc.settings();
    settings.pageFormat = format;
    Apply(settings);
    EXPECT_GT(doc.chrome().bindingWidth(), 0);
    EXPECT_GT(doc.chrome().bottomHeight(), 0);
    const QImage image = Render();
    // The binding, the bottom strip and the right edge are drawn: nothing black is left there.
    std::vector<QRgb> samples;
    for (const QPoint pt : {QPoint(doc.chrome().bindingWidth() / 2, 200), QPoint(kWidth / 2, image.height() - 3),
                            QPoint(kWidth - doc.chrome().rightWidth() / 2, image.height() - 60)}) {
      EXPECT_NE(image.pixel(pt), qRgb(0, 0, 0)) << pt.x() << "," << pt.y();
      samples.push_back(image.pixel(pt));
    }
    looks.insert(samples);
    // The paper is white where no text is.
    EXPECT_EQ(image.pixel(kWidth / 2, image.height() / 2), qRgb(255, 255, 255));
    EXPECT_EQ(doc.chrome().textLeft(), doc.chrome().bindingWidth() + (format == 6 ? 0 : PageChrome::kTextMargin));
  }
  EXPECT_EQ(looks.size(), static_cast<std::size_t>(kPageFormatCount));
}

}  // namespace
