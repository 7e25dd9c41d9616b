// Exposition files: the container header and directory, the cutting of the text into
// chunks, and the tokenizer. The same bytes are also read as a bare exposition text
// and as one chunk's source. Every token stream the tokenizer writes must read back
// whole: no token cut off, nothing past 4096 bytes.
#include <cstdint>
#include <string_view>
#include <vector>

#include "course/CourseFileError.h"
#include "exposition/ChunkLoader.h"
#include "exposition/ExpositionFile.h"
#include "exposition/ScriptTokenizer.h"
#include "exposition/TokenCursor.h"

namespace {

void CheckStream(const std::vector<std::uint8_t>& tokens) {
  if (tokens.size() > ScriptChunk::kMaxTokens) __builtin_trap();
  TokenCursor c(tokens);
  while (!c.atEnd()) {
    const ScriptToken t = c.Read();
    if (t.truncated || t.code == 0) __builtin_trap();
  }
}

void CheckChunks(const ChunkLoadResult& r) {
  for (const ScriptChunk& chunk : r.chunks) {
    if (chunk.label.size() > ScriptChunk::kMaxLabel) __builtin_trap();
    CheckStream(chunk.tokens);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  try {
    const ExpositionFile f = ExpositionFile::FromBytes(bytes, "fuzz.exp");
    for (const char* name : {"Chart", "Ding", ""})
      for (int kind : {0, 1})
        if (const ContainerEntry* e = f.FindEntry(name, kind)) (void)f.EntryData(*e);
    CheckChunks(f.BuildChunks());
  } catch (const CourseFileError&) {
  }
  CheckChunks(LoadScriptChunks(bytes));
  std::vector<std::uint8_t> tokens;
  TokenizeChunk(std::string_view(reinterpret_cast<const char*>(data), size), tokens);
  CheckStream(tokens);
  return 0;
}
