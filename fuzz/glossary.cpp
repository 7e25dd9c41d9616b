// glossary.gls: the container, its definition list, every term's definition and display
// texts, lookups by every name and its variants, and the pictures definitions name.
#include <cstdint>
#include <string>
#include <vector>

#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"
#include "glossary/GlossaryTable.h"
#include "hypertext/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GlossaryTable table;
  try {
    table.Load(ResourceContainer::FromBytes(std::vector<std::uint8_t>(data, data + size), "glossary.gls"));
  } catch (const CourseFileError&) {
    // Not a container: the same bytes as a bare text section.
    table.LoadText(std::vector<std::uint8_t>(data, data + size));
  }
  for (int i = 0; i < table.Count() && i < 64; ++i) {
    const std::string name = table.TermName(i);
    const std::string definition = table.Definition(i);
    (void)table.FindTerm(name);
    (void)table.FindTerm(name + "s");
    (void)table.FirstTermStartingWith(name.empty() ? 'a' : name[0]);
    (void)GlossaryPlainText(GlossaryDisplayText(name, definition, i % 2 ? name : std::string()));
    (void)table.LoadPicture(name);
  }
  return 0;
}
