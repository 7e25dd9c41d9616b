// Cutting the text of an exposition file into script chunks.
//
// Lines end at LF, CR or NUL (so CR LF gives an empty line; empty lines are passed
// over). By its first character a line is a comment (`-`), a script line (`:`, the
// rest is appended to the pending chunk's source), a timing line (`+`), a pause
// line (`~`) or narration (anything else). Every line that is neither comment nor
// script closes the pending chunk: its source is tokenized and the chunk appended.
// A timing line then gives the next chunk its start (seconds, truncated to samples
// of the 22 050 Hz clock), its clear mark (the letters "clear" anywhere in the line)
// and its label (after "label ", up to a comma). Script lines that no later line
// closes are not kept.
//
// A line of more than 1024 characters, or a chunk source of more than 12 288 bytes
// (its lines, the LFs joining them and the final LF), stops the loading there: the
// chunks already complete are kept and the rest of the text is ignored.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "exposition/ScriptChunk.h"

class KeywordOrder;

struct ChunkLoadResult {
  enum class Stop {
    EndOfText,  // the whole text was read
    LongLine,   // a line of more than kMaxLine characters
    LongChunk,  // script lines beyond kMaxChunkSource bytes
  };
  static constexpr std::size_t kMaxLine = 1024;
  static constexpr std::size_t kMaxChunkSource = 12288;
  // A first chunk without a start of its own waits 30 ms (661 samples) so that the
  // window is up before it runs.
  static constexpr std::int32_t kFirstChunkDelay = 661;

  std::vector<ScriptChunk> chunks;
  Stop stop = Stop::EndOfText;
  std::size_t stopOffset = 0;  // byte offset in the text of the line that stopped the loading
  std::size_t stopLine = 0;    // its line number, counting CR LF as one line end (for messages)
};

ChunkLoadResult LoadScriptChunks(std::span<const std::uint8_t> text);
ChunkLoadResult LoadScriptChunks(std::span<const std::uint8_t> text, const KeywordOrder& keywords);

// Samples of the narration clock for a time in seconds: truncated toward zero and
// held within 32 bits (not-a-number gives 0).
std::int32_t SecondsToSamples(double seconds);
