#include "lessonbook/CoursePage.h"

#include <QtGui/QColor>

#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "course/ResourceIds.h"
#include "hypertext/Picture.h"
#include "lessonbook/CompletionRecord.h"
#include "lessonbook/PageArt.h"
#include "lessonbook/PageNavigation.h"
#include "lessonbook/TeacherExtension.h"

namespace {

constexpr const char* kPageNumberTail = "        ";  // eight spaces after the title line

std::string LessonFolder(const ActivityLocator& page, const ContentsTable& contents) {
  return page.LessonCodeOf(contents);
}

std::unique_ptr<Picture> ExtensionPicture(const std::string& lessonCode, const std::string& extensionName) {
  CourseFile file;
  auto picture = std::make_unique<Picture>();
  try {
    if (OpenCourseFile(file, lessonCode + "\\" + TeacherPictureName(extensionName), kSearchTeacherFolder) &&
        picture->LoadFromFile(file)) {
      picture->ReplaceKeyColour(QColor(255, 255, 255));
      return picture;
    }
  } catch (const CourseFileError&) {
    // An unreadable picture counts as a missing one.
  }
  return LessonArtPicture("bitmap", bmp::kExtension);
}

}  // namespace

std::string PageTitleLine(const ActivityLocator& page, const ContentsTable& contents) {
  std::string line = PageNumberText(page, contents) + "  ";
  if (const ContentsLesson* lesson = contents.Lesson(page.lesson); lesson && page.page >= 0 && page.page < lesson->pageCount)
    line += contents.String(lesson->pages[static_cast<std::size_t>(page.page)].title);
  return line;
}

void AppendTeacherExtension(const ActivityLocator& page, const ContentsTable& contents, PageContent& content,
                            std::string& extensionFile) {
  const std::string code = LessonFolder(page, contents);
  if (code.empty() || page.page < 0) return;
  const std::string name = TeacherExtensionName(page.page);
  std::optional<TeacherExtension> ext;
  try {
    CourseFile file;
    if (!OpenCourseFile(file, code + "\\" + name, kSearchTeacherFolder)) return;
    if (file.size() > TeacherExtension::kMaxFileSize) return;  // too long: ignored
    const std::vector<std::uint8_t> bytes = file.readAll();
    ext = ParseTeacherExtension(bytes);
  } catch (const CourseFileError&) {
    return;
  }
  if (!ext) return;

  PageParagraph heading;
  heading.text = ext->heading;
  heading.rule = true;
  heading.centred = true;
  heading.teacherExtension = true;
  PrepareLayoutForms(heading);
  content.paragraphs.push_back(std::move(heading));

  PageParagraph text;
  text.text = ext->text;
  text.teacherExtension = true;
  text.activity = true;  // laid out and clicked like an entry; it opens its file
  text.icon = ExtensionPicture(code, name);
  PrepareLayoutForms(text);
  content.paragraphs.push_back(std::move(text));
  extensionFile = ext->file.empty() ? std::string() : code + "\\" + ext->file;
}

void UpdateEntries(PageContent& content, const ActivityLocator& page, const ContentsTable& contents,
                   const CompletionRecord* record) {
  for (PageParagraph& p : content.paragraphs) {
    if (!p.activity || p.teacherExtension || p.activityIndex < 0) continue;
    const ActivityLocator activity(page.lesson, page.page, p.activityIndex);
    p.kind = activity.Kind(contents);
    p.completed = record && record->IsCompleted(activity);
  }
}

CoursePage LoadCoursePage(const ActivityLocator& page, const ContentsTable& contents, const CompletionRecord* record,
                          const PageLoadLinks& links, const CoursePageOptions& options) {
  CoursePage out;
  ActivityLocator where = page;
  where.activity = -1;
  out.titleLine = PageTitleLine(where, contents);
  try {
    CourseFile file;
    const std::string path = where.Path(contents);
    OpenCourseFile(file, path, kRequireCourseFile);
    const std::vector<std::uint8_t> bytes = file.readAll();
    out.content = ParsePageFile(bytes, links, options.fontSize, path);
    out.loaded = true;
  } catch (const CourseFileError& e) {
    out.error = e.what();
    out.content = PageContent();
  }
  if (out.loaded) {
    AppendTeacherExtension(where, contents, out.content, out.extensionFile);
    if (options.pageNumber) {
      PageParagraph number;
      number.text = out.titleLine + kPageNumberTail;
      number.centred = true;
      number.smallItalic = true;
      PrepareLayoutForms(number);
      out.content.paragraphs.push_back(std::move(number));
    }
  }
  UpdateEntries(out.content, where, contents, record);
  return out;
}
