// Study-question extraction over arbitrary token streams: chunks split at 0xFF. Every
// question found must be the text of a string token inside the input, and nothing may
// be read outside it.
#include <cstdint>
#include <span>
#include <string_view>

#include "exposition/StudyQuestions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<ScriptChunk> chunks(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF) chunks.emplace_back();
    else chunks.back().tokens.push_back(data[i]);
  }
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> questions = ExtractStudyQuestions(chunks);
  for (const std::string& q : questions)
    if (q.size() > 255 || input.find(q) == std::string_view::npos) __builtin_trap();
  (void)FormatStudyQuestions(questions);
  return 0;
}
