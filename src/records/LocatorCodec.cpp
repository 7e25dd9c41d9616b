#include "records/LocatorCodec.h"

#include "course/ContentsTable.h"
#include "course/CourseStream.h"

namespace {
std::optional<std::string> Optional(std::string text) {
  if (text.empty()) return std::nullopt;
  return text;
}
}  // namespace

void WriteLocator(CourseStream& s, const ActivityLocator& l) {
  s.WriteSignedByte(l.lesson);
  s.WriteSignedByte(l.page);
  s.WriteSignedByte(l.activity);
  s.WriteByte(l.mark);
  s.WriteByte(l.kind);
  s.WriteString(l.file.value_or(std::string()));
  s.WriteString(l.source.value_or(std::string()));
}

ActivityLocator ReadLocator(CourseStream& s) {
  ActivityLocator l;
  l.lesson = s.ReadSignedByte("locator lesson");
  l.page = s.ReadSignedByte("locator page");
  l.activity = s.ReadSignedByte("locator activity");
  l.mark = s.ReadByte("locator mark");
  l.kind = s.ReadByte("locator kind");
  l.file = Optional(s.ReadString("locator file"));
  l.source = Optional(s.ReadString("locator source"));
  return l;
}

std::vector<std::uint8_t> FlattenLocator(const ActivityLocator& locator) {
  CourseStream s;
  WriteLocator(s, locator);
  return s.TakeData();
}

bool LocatorExists(const ActivityLocator& l, const ContentsTable& contents) {
  const ContentsLesson* lesson = contents.Lesson(l.lesson);
  if (!lesson) return false;
  if (l.page == -1) return l.activity == -1;
  if (l.page < 0 || l.page >= lesson->pageCount) return false;
  if (l.activity == -1) return true;
  return l.activity >= 0 && l.activity < lesson->pages[static_cast<std::size_t>(l.page)].activityCount;
}

bool ActivityExists(int lesson, int page, int activity, const ContentsTable& contents) {
  const ContentsLesson* l = contents.Lesson(lesson);
  if (!l || page < 0 || page >= l->pageCount) return false;
  return activity >= 0 && activity < l->pages[static_cast<std::size_t>(page)].activityCount;
}

std::optional<ActivityLocator> UnflattenLocator(std::span<const std::uint8_t> bytes, const ContentsTable& contents) {
  try {
    CourseStream s(bytes, "bookmark data");
    ActivityLocator l = ReadLocator(s);
    if (l.file || LocatorExists(l, contents)) return l;
  } catch (const CourseFileError&) {
  }
  return std::nullopt;
}
