#include "exposition/ChunkLoader.h"

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "exposition/KeywordOrder.h"
#include "exposition/ScriptNumbers.h"
#include "exposition/ScriptTokenizer.h"

namespace {

bool IsLineEnd(std::uint8_t c) { return c == '\n' || c == '\r' || c == 0; }

// The text after "label " up to the first comma, at most 31 characters.
std::string LabelOf(std::string_view line) {
  const auto at = line.find("label ");
  if (at == std::string_view::npos) return {};
  std::string_view label = line.substr(at + 6);
  label = label.substr(0, label.find(','));
  return std::string(label.substr(0, ScriptChunk::kMaxLabel));
}

}  // namespace

std::int32_t SecondsToSamples(double seconds) {
  const double samples = std::trunc(seconds * ScriptChunk::kSampleRate);
  if (std::isnan(samples)) return 0;
  if (samples >= double(std::numeric_limits<std::int32_t>::max())) return std::numeric_limits<std::int32_t>::max();
  if (samples <= double(std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(samples);
}

ChunkLoadResult LoadScriptChunks(std::span<const std::uint8_t> text, const KeywordOrder& keywords) {
  ChunkLoadResult result;
  ScriptChunk pending;
  pending.clearMark = true;  // the first chunk of a file begins a scene
  std::string source;
  source.reserve(1024);

  std::size_t pos = 0;
  std::size_t lineNumber = 1;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && !IsLineEnd(text[end])) ++end;
    const std::string_view line(reinterpret_cast<const char*>(text.data()) + pos, end - pos);
    const std::size_t lineStart = pos;
    const std::size_t thisLine = lineNumber;
    if (end < text.size()) {
      // CR LF ends one line for the line count, though it also yields an empty line.
      const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
      if (!crlf) ++lineNumber;
    }
    pos = end + 1;
    if (line.empty()) continue;

    if (line.size() > ChunkLoadResult::kMaxLine) {
      result.stop = ChunkLoadResult::Stop::LongLine;
      result.stopOffset = lineStart;
      result.stopLine = thisLine;
      return result;
    }
    if (line[0] == '-') continue;
    if (line[0] == ':') {
      const std::string_view piece = line.substr(1);
      const std::size_t joined = source.size() + (source.empty() ? 0 : 1) + piece.size();
      if (joined + 1 > ChunkLoadResult::kMaxChunkSource) {  // + the LF that ends the source
        result.stop = ChunkLoadResult::Stop::LongChunk;
        result.stopOffset = lineStart;
        result.stopLine = thisLine;
        return result;
      }
      if (!source.empty()) source += '\n';
      source += piece;
      continue;
    }

    // Timing, pause and narration lines close the pending chunk and clear it, whether
    // or not script lines were pending: a timing line's start belongs only to the
    // script lines that follow it directly. Only the file's first chunk keeps its
    // clear mark until script lines come.
    if (!source.empty()) {
      source += '\n';
      TokenizeChunk(source, pending.tokens, keywords);
      if (result.chunks.empty() && pending.startTime == 0) pending.startTime = ChunkLoadResult::kFirstChunkDelay;
      result.chunks.push_back(std::move(pending));
      source.clear();
    }
    pending = ScriptChunk();
    pending.clearMark = result.chunks.empty();
    if (line[0] == '+') {
      const double seconds = ParseLeadingDouble(line.substr(1));
      const bool clear = line.find("clear") != std::string_view::npos;
      // A timing line of time 0 without "clear" leaves the pending chunk as it is.
      if (seconds != 0.0 || clear) {
        pending.startTime = SecondsToSamples(seconds);
        pending.clearMark = clear;
        pending.label = LabelOf(line);
      }
    }
  }
  return result;
}

ChunkLoadResult LoadScriptChunks(std::span<const std::uint8_t> text) {
  return LoadScriptChunks(text, SharedKeywordOrder());
}
