// Resource container: directory parsing, the lookup, entry and text reads.
#include <cstdint>
#include <vector>

#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    auto c = ResourceContainer::FromBytes(std::vector<std::uint8_t>(data, data + size));
    for (const char* name : {"Chart", "Splash Screen", "Application", ""})
      for (int type : {-1, 0, 1, 2}) {
        if (const ContainerEntry* e = c.FindEntry(name, type)) (void)c.ReadEntry(*e);
      }
    for (const auto& e : c.directory().entries()) (void)c.ReadEntry(e);
    (void)c.ReadTextSection();
  } catch (const CourseFileError&) {
  }
  return 0;
}
