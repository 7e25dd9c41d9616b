// Marker text and open commands: an identifier that passes the checks is made of plain
// name bytes only, and never names a way out of the course folders.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "RecordsFuzzing.h"
#include "records/MarkerFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  (void)ParseOpenCommand(text);
  const auto id = MarkerIdentifier(text);
  if (!id) return 0;
  for (unsigned char c : *id)
    if (c < 0x20 || c == 0x7F || c == '/' || c == '%' || c == '"' || c == '\'' || c == ';' || c == '$' || c == '`')
      std::abort();
  // No component may climb out or stand for the folder itself.
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = id->find_first_of(":\\", start);
    const std::string c = id->substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (c == "." || c == ".." || (!c.empty() && c[0] == '-')) std::abort();
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (const auto l = FuzzContents().Resolve(*id)) (void)l->Path(FuzzContents());
  return 0;
}
