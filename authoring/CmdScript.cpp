// kncourse script: the script chunks of an exposition file as the player compiles
// them, and single expressions evaluated as a script would.
#include <cstdio>
#include <iostream>
#include <optional>

#include "Kncourse.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseText.h"
#include "exposition/ChunkLoader.h"
#include "exposition/ExpositionFile.h"
#include "exposition/Keywords.h"
#include "exposition/PlainScriptView.h"
#include "exposition/ScriptArguments.h"
#include "exposition/ScriptExpression.h"
#include "exposition/ScriptTokenizer.h"
#include "exposition/TokenCursor.h"
#include "exposition/TokenListing.h"
#include "stats/Random.h"

namespace {

using kncourse::Args;

// Command-line text (UTF-8 from the terminal) as course bytes.
std::string CourseBytes(const std::string& arg) { return IsValidUtf8(arg) ? Utf8ToCourse(arg) : arg; }

std::string StopText(const ChunkLoadResult& r) {
  switch (r.stop) {
    case ChunkLoadResult::Stop::LongLine:
      return "line longer than 1024 characters";
    case ChunkLoadResult::Stop::LongChunk:
      return "script lines of one chunk longer than 12288 bytes";
    case ChunkLoadResult::Stop::EndOfText:
      break;
  }
  return {};
}

std::optional<ScriptKind> KindFromName(const std::string& name) {
  for (ScriptKind k : {ScriptKind::Integer, ScriptKind::Real, ScriptKind::Text, ScriptKind::Colour, ScriptKind::Point})
    if (ScriptKindName(k) == name) return k;
  if (name == "color") return ScriptKind::Colour;
  return std::nullopt;
}

}  // namespace

namespace kncourse {

int ScriptChunks(Args a) {
  const bool textOnly = kncourse::TakeSwitch(a, "text");
  if (a.size() != 1) kncourse::BadUsage("script chunks takes one FILE");
  ChunkLoadResult result;
  if (textOnly) {
    auto file = CourseFile::Open(a[0]);
    const auto bytes = file.readAll();
    result = LoadScriptChunks(bytes);
  } else {
    const ExpositionFile f = ExpositionFile::Open(a[0]);
    const std::uint32_t code = f.typeCode();
    if (code == 0)
      std::printf("type code: none\n");
    else
      std::printf("type code: %s\n", kncourse::Show(TypeCodeToString(code)).c_str());
    for (const ContainerEntry& e : f.directory().entries()) {
      const char* kind = e.type == kEntryPicture ? "picture" : e.type == kEntrySound ? "sound" : "other";
      std::printf("entry: %-7s %s (%u bytes)\n", kind, kncourse::Show(e.name).c_str(), e.length);
    }
    result = f.BuildChunks();
  }
  std::printf("chunks: %zu\n", result.chunks.size());
  for (std::size_t i = 0; i < result.chunks.size(); ++i) {
    const ScriptChunk& c = result.chunks[i];
    std::printf("chunk %zu: start %d (%.3f s)%s", i, c.startTime, double(c.startTime) / ScriptChunk::kSampleRate,
                c.clearMark ? ", clear" : "");
    if (!c.label.empty()) std::printf(", label %s", kncourse::Show(QuoteScriptText(c.label)).c_str());
    std::printf(", %zu token bytes\n", c.tokens.size());
    std::fputs(kncourse::Show(ListTokenLines(c.tokens, "  ")).c_str(), stdout);
  }
  if (result.stop != ChunkLoadResult::Stop::EndOfText) {
    std::printf("stopped at line %zu (text offset %zu): %s; the rest is ignored\n", result.stopLine, result.stopOffset,
                StopText(result).c_str());
    return 1;
  }
  return 0;
}

int ScriptTokens(Args a) {
  if (a.size() != 1) kncourse::BadUsage("script tokens takes one SOURCE");
  std::vector<std::uint8_t> tokens;
  TokenizeChunk(CourseBytes(a[0]) + "\n", tokens);
  std::printf("%s\n", kncourse::Show(DescribeTokens(tokens)).c_str());
  return 0;
}

int ScriptArgs(Args a) {
  if (a.size() != 1) kncourse::BadUsage("script args takes one ARGUMENTS");
  std::vector<std::uint8_t> tokens;
  TokenizeChunk(CourseBytes(a[0]) + "\n", tokens);
  PlainScriptView view;
  TokenCursor cursor(tokens);
  ScriptValueList args = CollectArgumentList(cursor, &view);
  RewriteWithWithout(args);
  ArgumentIterator it(args);
  std::size_t read = 0;
  while (auto arg = it.Next()) {
    const std::string_view name = arg->keyword ? KeywordName(arg->keyword) : std::string_view("positional");
    std::printf("%s = %s\n", std::string(name).c_str(), kncourse::Show(DescribeScriptValue(*arg->value)).c_str());
    read += arg->keyword ? 2 : 1;
  }
  // The iterator stops at the first pair that does not begin with a keyword.
  for (std::size_t i = read; i < args.size(); ++i)
    std::printf("unread: %s\n", kncourse::Show(DescribeScriptValue(args[i])).c_str());
  return 0;
}

int ScriptEval(Args a) {
  std::optional<ScriptKind> as;
  if (auto kind = kncourse::TakeOption(a, "as")) {
    as = KindFromName(*kind);
    if (!as) kncourse::BadUsage("--as takes integer, real, text, colour or point");
  }
  if (auto seed = kncourse::TakeOption(a, "seed")) {
    try {
      SeedRandom(static_cast<std::uint32_t>(std::stoul(*seed)));
    } catch (const std::exception&) {
      kncourse::BadUsage("--seed takes a number");
    }
  }
  if (a.size() != 1) kncourse::BadUsage("script eval takes one EXPRESSION");
  std::vector<std::uint8_t> tokens;
  TokenizeChunk(CourseBytes(a[0]) + "\n", tokens);
  PlainScriptView view;
  TokenCursor cursor(tokens);
  ScriptValue v = EvaluateExpression(cursor, &view);
  if (as && !v.ConvertTo(*as)) {
    std::printf("%s, which does not convert to %s\n", kncourse::Show(DescribeScriptValue(v)).c_str(),
                std::string(ScriptKindName(*as)).c_str());
    v = ScriptValue();
  } else {
    std::printf("%s\n", kncourse::Show(DescribeScriptValue(v)).c_str());
  }
  // What the expression left for the statement, without the line's own end.
  std::span<const std::uint8_t> rest = std::span<const std::uint8_t>(tokens).subspan(cursor.position());
  if (!rest.empty() && rest.back() == kw::newline) rest = rest.first(rest.size() - 1);
  if (!rest.empty()) std::printf("rest: %s\n", kncourse::Show(DescribeTokens(rest)).c_str());
  return v.isNone() ? 1 : 0;
}

}  // namespace kncourse
