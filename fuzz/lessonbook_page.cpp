// A Lesson Book page file (a resource container whose text is page markup) and, read
// from the same bytes, a teacher's addendum: the page paragraphs, their layout at two
// widths, painting into a small image, hit testing, shrinking and copying.
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "course/CourseFileError.h"
#include "lessonbook/PageDocument.h"
#include "lessonbook/PageLoader.h"
#include "lessonbook/TeacherExtension.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (auto ext = ParseTeacherExtension(bytes)) {
    if (size > TeacherExtension::kMaxFileSize || ext->text.empty()) __builtin_trap();
    if (ext->heading.size() > TeacherExtension::kMaxTitle + 7) __builtin_trap();
  }

  PageLoadLinks links;
  links.expandName = [](std::string_view name) { return std::string(name.substr(0, 20)); };
  PageContent content;
  try {
    content = ParsePageFile(bytes, links, 12);
  } catch (const CourseFileError&) {
    // Not a container: the same bytes as plain page markup.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    content = ParsePageMarkup(text, nullptr, {}, links, 12);
  }
  for (const PageParagraph& p : content.paragraphs)
    if (p.text.size() > PageContent::kBufferLimit + 16 || p.altText.size() > PageContent::kBufferLimit + 16)
      __builtin_trap();
  if (content.tool1 < 0 || content.tool1 > 15 || content.tool2 < 0 || content.tool2 > 15) __builtin_trap();

  static PageDocument document;
  document.SetContent(std::move(content));
  for (int width : {260, 800}) {
    const int height = document.Layout(width, 300);
    if (height < 0) __builtin_trap();
    for (const PageParagraph& p : document.paragraphs())
      if (p.markers.size() > PageParagraph::kMarkerLimit) __builtin_trap();
  }
  QImage image(document.canvasSize().boundedTo(QSize(800, 600)), QImage::Format_ARGB32);
  if (!image.isNull()) {
    QPainter painter(&image);
    document.Paint(painter, image.rect(), 0, image.height(), {});
  }
  const int count = static_cast<int>(document.paragraphs().size());
  for (int i = 0; i < count; ++i) {
    const PageParagraph& p = document.paragraphs()[static_cast<std::size_t>(i)];
    (void)document.HitTest(p.iconRect.center(), 0, 300);
    if (p.activity) {
      document.ToggleShrink(i);
      document.Layout(800, 300);
    }
  }
  (void)document.CopyText();
  return 0;
}
