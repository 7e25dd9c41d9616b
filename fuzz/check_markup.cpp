// The course checker's reading of markup: any bytes give tags, text and issues
// without reading past the input.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "../authoring/CheckMarkup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto markup = kncheck::ScanMarkup(std::string_view(reinterpret_cast<const char*>(data), size));
  std::size_t sum = markup.trailingText.size();
  for (const auto& tag : markup.tags) {
    sum += tag.name.size() + tag.textBefore.size() + tag.Attribute("s").size();
    for (const auto& [name, value] : tag.attributes) sum += name.size() + value.size();
  }
  return sum == static_cast<std::size_t>(-1) ? 1 : 0;
}
