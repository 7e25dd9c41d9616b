#include "records/BookmarkFile.h"

#include "course/CourseStream.h"
#include "records/FileBytes.h"
#include "records/LocatorCodec.h"
#include "records/StudentRecord.h"

std::vector<std::uint8_t> WriteBookmarkFile(const std::vector<ActivityLocator>& bookmarks) {
  CourseStream s;
  for (const ActivityLocator& l : bookmarks) WriteLocator(s, l);
  return s.TakeData();
}

std::vector<ActivityLocator> ReadBookmarkFile(std::span<const std::uint8_t> bytes, const std::string& label) {
  CourseStream s(bytes, label);
  std::vector<ActivityLocator> out;
  try {
    while (!s.atEnd() && out.size() < static_cast<std::size_t>(StudentRecord::kMaxStoredCount))
      out.push_back(ReadLocator(s));
  } catch (const CourseStreamEnd&) {
    // The end of the data is the normal end, even inside a locator: a file cut short (a
    // full disc, a copy broken off) keeps the whole locators before the cut.
  }
  return out;
}

std::vector<ActivityLocator> LoadBookmarkFile(const std::filesystem::path& path) {
  const auto bytes = ReadWholeFile(path, kMaxBookmarkFileBytes);
  return ReadBookmarkFile(bytes, path.string());
}
