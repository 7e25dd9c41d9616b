// Bookmark files: whatever reads writes back to the same bytes' worth of locators.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "course/CourseFileError.h"
#include "records/BookmarkFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<ActivityLocator> list;
  try {
    list = ReadBookmarkFile(std::span<const std::uint8_t>(data, size));
  } catch (const CourseFileError&) {
    return 0;
  }
  if (ReadBookmarkFile(WriteBookmarkFile(list)) != list) std::abort();
  return 0;
}
