// One compiled group of script lines of an exposition file. The exposition window
// owns its chunks (in file order) and each chunk owns its token stream; nothing
// compiled is ever written to disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScriptChunk {
  static constexpr std::size_t kMaxLabel = 31;        // characters of a label
  static constexpr std::size_t kMaxTokens = 4096;     // bytes of a token stream
  static constexpr std::int32_t kSampleRate = 22050;  // narration clock, samples per second

  std::string label;                 // set by a timing line, used by `goto`; empty if none
  std::vector<std::uint8_t> tokens;  // the token stream, at most kMaxTokens bytes
  std::int32_t startTime = 0;        // samples; 0: runs as soon as the chunk before it has run
  bool clearMark = false;            // begins a new scene: seeking rebuilds from here
};
