#include "exposition/StudyQuestions.h"

#include "exposition/Keywords.h"
#include "exposition/TokenCursor.h"

std::vector<std::string> ExtractStudyQuestions(const std::vector<ScriptChunk>& chunks) {
  std::vector<std::string> questions;
  for (const ScriptChunk& chunk : chunks) {
    TokenCursor cursor(chunk.tokens);
    while (!cursor.atEnd()) {
      const ScriptToken token = cursor.Read();
      if (token.code != kw::question || cursor.PeekCode() != kw::literal) continue;
      const ScriptToken text = cursor.Read();
      if (text.truncated) break;
      // The rest of the statement may switch the number off.
      bool numbered = true;
      int previous = 0;
      while (!cursor.atEnd() && cursor.PeekCode() != kw::newline) {
        const int code = cursor.Read().code;
        if ((previous == kw::without && code == kw::number) || (previous == kw::number && code == kw::false_))
          numbered = false;
        previous = code;
      }
      if (numbered) questions.emplace_back(text.text);
    }
  }
  return questions;
}

std::string FormatStudyQuestions(const std::vector<std::string>& questions) {
  std::string out;
  for (std::size_t i = 0; i < questions.size(); ++i) out += std::to_string(i + 1) + ".  " + questions[i] + "\n";
  return out;
}
