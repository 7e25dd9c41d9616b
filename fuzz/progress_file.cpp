// Student progress files. A file that reads must write back to a file that reads to the
// same record; one that does not read must throw CourseFileError and nothing else.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "RecordsFuzzing.h"
#include "course/CourseFileError.h"
#include "records/ProgressFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const ContentsTable* contents : {static_cast<const ContentsTable*>(nullptr), &FuzzContents()}) {
    ProgressReadOptions o;
    o.contents = contents;
    ProgressData d;
    try {
      d = ReadProgressFile(std::span<const std::uint8_t>(data, size), o);
    } catch (const CourseFileError&) {
      continue;
    }
    if (d.learner.completions().size() > 999 || d.learner.bookmarkCount() > 999 || d.windows.size() > 999) std::abort();
    const auto bytes = WriteProgressFile(d.learner, d.preferences, d.windows);
    const ProgressData again = ReadProgressFile(bytes, {});
    if (again.learner.name() != d.learner.name() || again.learner.completions() != d.learner.completions() ||
        again.learner.bookmarks() != d.learner.bookmarks() || again.windows != d.windows ||
        !again.preferences.Equal(d.preferences))
      std::abort();
  }
  return 0;
}
