// Turning the Lesson Book to a page without animation: reading the page file from the
// course folder (with its icons and picture), looking for a teacher's addendum, laying
// the page out and painting the whole view at 1024 by 768.
#include <benchmark/benchmark.h>

#include <QtCore/QBuffer>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <cstdlib>
#include <fstream>
#include <string>

#include "course/ContentsTable.h"
#include "course/CourseLocations.h"
#include "course/ResourceContainer.h"
#include "lessonbook/CoursePage.h"
#include "lessonbook/PageDocument.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

std::vector<std::uint8_t> Png(int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(colour));
  painter.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 5, 5);
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {bytes.begin(), bytes.end()};
}

// A page as the course writes them: an introduction with defined terms and a picture,
// then four activities, each with an explanation paragraph above it.
std::string PageMarkup() {
  std::string m = "<title>Centre and spread</title><h2>Describing a distribution</h2>"
                  "A distribution is described by its <dfn t=\"where the values lie\">centre</dfn>, its "
                  "<dfn t=\"how far the values scatter\">spread</dfn> and its shape. The mean and the median "
                  "measure the centre; the standard deviation and the quartiles measure the spread.\n<p>"
                  "<img s=chart a=center>Twenty travel times to school, in minutes.<p>";
  const char* kinds[] = {"expo", "quiz", "film", "tool"};
  for (int i = 0; i < 4; ++i) {
    m += "Before you start, think about what a typical value of the data would be, and how far the values "
         "lie from it. The activity below shows it step by step.<a n=\"note1.ast\">*</a>\n<p>";
    m += std::string("<img s=") + kinds[i] + " e=1 t=" + std::to_string(3 + 4 * i) + "><h2>Activity " +
         std::to_string(i + 1) + "</h2>A narrated animation compares the mean and the median of skewed data, "
         "and shows why the median resists outliers.\n<p>";
  }
  return m;
}

struct Course {
  Course() {
    const std::filesystem::path root = dir.path().toStdString();
    std::filesystem::create_directories(root / "course" / "cs");
    ContainerWriter writer;
    writer.AddEntry(kEntryPicture, "expo", Png(32, 32, qRgb(60, 110, 200)));
    writer.AddEntry(kEntryPicture, "quiz", Png(32, 32, qRgb(60, 160, 90)));
    writer.AddEntry(kEntryPicture, "film", Png(32, 32, qRgb(200, 120, 40)));
    writer.AddEntry(kEntryPicture, "tool", Png(32, 32, qRgb(140, 80, 190)));
    writer.AddEntry(kEntryPicture, "chart", Png(320, 160, qRgb(230, 200, 120)));
    const std::string markup = PageMarkup();
    writer.SetText({markup.begin(), markup.end()});
    const std::vector<std::uint8_t> bytes = writer.Build();
    std::ofstream(root / "course" / "cs" / "cs1.pag", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    SetExplicitCourseFolder(root);
    contents.Load("l=Centre\nd=cs\nf\np=Centre and spread\ne=A\ta.exp\nq=B\tb.fil\nm=C\tc.mov\nt=D\td.scr\n", 1, 0,
                  nullptr);
  }
  QTemporaryDir dir;
  ContentsTable contents;
};

void BM_TurnToPage(benchmark::State& state) {
  static Course course;
  PageDocument document;
  document.SetDpiY(96);
  QImage view(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  const ActivityLocator page(0, 0, -1);
  for (auto _ : state) {
    CoursePage loaded = LoadCoursePage(page, course.contents, nullptr, {}, {});
    if (!loaded.loaded) {
      state.SkipWithError("the page did not load");
      return;
    }
    document.SetContent(std::move(loaded.content));
    document.Layout(kWidth, kHeight);
    QPainter painter(&view);
    document.Paint(painter, view.rect(), 0, kHeight, {});
    painter.end();
    benchmark::DoNotOptimize(view.constBits());
  }
}
BENCHMARK(BM_TurnToPage)->Unit(benchmark::kMillisecond);

}  // namespace
