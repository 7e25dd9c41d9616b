// Preferences block of a student progress file (course stream) and the "Windows" profile
// value. A block that reads must write back and read again to the same record.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "course/CourseStream.h"
#include "course/Preferences.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Preferences p;
  p.LoadProfileWindows(std::string_view(reinterpret_cast<const char*>(data), size));
  if (p.UsedWindowEntries() > Preferences::kWindowSlots) std::abort();

  Preferences block;
  try {
    CourseStream in(std::span<const std::uint8_t>(data, size), "fuzz.kns");
    block.Serialize(in);
  } catch (const CourseFileError&) {
    return 0;
  }
  CourseStream out;
  block.Serialize(out);
  Preferences again = block;
  CourseStream back(out.data());
  again.Serialize(back);
  if (!again.Equal(block) || !back.atEnd()) std::abort();
  return 0;
}
