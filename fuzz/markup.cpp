// Course markup: the tokenizer in both modes, with a handler that checks the
// event record's bounds, and the plain-text functions built on it.
#include <cstdint>
#include <string>
#include <string_view>

#include "hypertext/MarkupText.h"
#include "hypertext/MarkupTokenizer.h"

namespace {
void Check(MarkupEvent& e) {
  if (e.textLength > MarkupEvent::kTextLimit || e.tagLength > MarkupEvent::kTagLimit || e.attributeCount < 0 ||
      e.attributeCount > MarkupEvent::kAttributeLimit)
    __builtin_trap();
  for (int i = 0; i < e.attributeCount; ++i)
    if (e.attributes[i].nameLength > MarkupAttribute::kNameLimit ||
        e.attributes[i].valueLength > MarkupAttribute::kValueLimit)
      __builtin_trap();
  // Leave text to collect every other event, so that the limit is reached too.
  if (reinterpret_cast<std::uintptr_t>(e.data) & 1) e.ConsumeText();
  e.data = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(e.data) + 1);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (bool passThrough : {false, true})
    if (Tokenize(text.data(), static_cast<std::ptrdiff_t>(size), Check, nullptr, passThrough) != size) __builtin_trap();
  if (StripMarkup(text).size() > MarkupEvent::kTextLimit) __builtin_trap();
  std::string shortText(text.substr(0, 600));
  StripMarkupInPlace(shortText);
  if (shortText.size() > kShortStripLimit) __builtin_trap();
  (void)FindTermPhrase("standard deviation", text);
  (void)FindTermPhrase(text.substr(0, 8), text);
  (void)MarkupToCopyText(text);
  return 0;
}
