#include "LessonBookTestSupport.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>

#include "TestSupport.h"
#include "course/CourseLocations.h"
#include "course/ResourceContainer.h"

namespace lbtest {

namespace {

constexpr const char* kContents =
    "l=Alpha\n"
    "d=ab\n"
    "f\n"
    "p=Getting started\n"
    "e=Intro film\tabintro.exp\n"
    "q=First quiz\tabquiz.fil\n"
    "f\n"
    "p=Going on\n"
    "e=Second film\tabsecond.exp\n"
    "l=Beta\n"
    "d=cd\n"
    "f\n"
    "p=Beta one\n"
    "e=Beta film\tcdfilm.exp\n"
    "f\n"
    "p=Beta two\n"
    "l=Gamma\n"
    "d=ef\n"
    "f\n"
    "p=Gamma one\n";

}  // namespace

const char* const kFirstPageMarkup =
    "<title>Getting started</title>"
    "<h2>Welcome</h2>This page opens the course.\n"
    "<p>"
    "Watch the film first.\n"
    "<p>"
    "<img s=icon e=1 t=0><h2>Intro film</h2>A narrated introduction.\n"
    "<p>"
    "The quiz checks what you saw.<a n=\"note1.ast\">*</a>\n"
    "<p>"
    "<img s=icon e=1 t=5><h2>First quiz</h2>Five questions.\n"
    "<p>";

std::vector<std::uint8_t> SquarePng(std::uint32_t argb, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(argb);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> PageFile(const std::string& markup) {
  ContainerWriter writer;
  writer.AddEntry(kEntryPicture, "icon", SquarePng());
  writer.SetText({markup.begin(), markup.end()});
  return writer.Build();
}

CourseFixture::CourseFixture() {
  root = kntest::MakeTempDir("course");
  teacher = kntest::MakeTempDir("teacher");
  std::filesystem::create_directories(root / "course");
  prefs.SetFolder(Preferences::kProgramFolder, root.string() + "/");
  prefs.SetFolder(Preferences::kTeacherFolder, teacher.string() + "/");
  contents.Load(kContents, 1, 0, nullptr);
  // The same contents on disc, for a program that loads its own.
  WriteCourseFile("contents.txt", {kContents, kContents + std::char_traits<char>::length(kContents)});
  sources.Load(std::string_view("note=Notes\nextra=Extras\n"));
  WriteCourseFile("ab/ab1.pag", PageFile(kFirstPageMarkup));
  WriteCourseFile("ab/ab2.pag", PageFile("<img s=icon e=1 t=2><h2>Second film</h2>More.<p>"));
  WriteCourseFile("cd/cd1.pag", PageFile("<img s=icon e=1 t=4><h2>Beta film</h2>Beta text.<p>"));
  WriteCourseFile("cd/cd2.pag", PageFile("Only words here.<p>"));
  WriteCourseFile("ef/ef1.pag", PageFile("The last page.<p>"));
}

CourseFixture::~CourseFixture() = default;

void CourseFixture::WriteCourseFile(const std::string& relative, const std::vector<std::uint8_t>& bytes) const {
  const std::filesystem::path path = root / "course" / relative;
  std::filesystem::create_directories(path.parent_path());
  kntest::WriteFileBytes(path, bytes);
}

void CourseFixture::WriteTeacherFile(const std::string& relative, const std::string& text) const {
  const std::filesystem::path path = teacher / relative;
  std::filesystem::create_directories(path.parent_path());
  kntest::WriteFileText(path, text);
}

}  // namespace lbtest
