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

const char* kUsage =
    "Usage:\n"
    "  kncourse script chunks FILE [--text]\n"
    "      Every script chunk of an exposition file (.exp, .scr): its start in samples of the\n"
    "      22 050 Hz clock and in seconds, label, clear mark, and its tokens by name and value,\n"
    "      one script line to a row. With --text, FILE is the exposition text alone, without\n"
    "      the container header. Exit status 1 when a line or chunk too long stopped the loading.\n"
    "  kncourse script tokens 'SOURCE'\n"
    "      The tokens of one script line.\n"
    "  kncourse script args 'ARGUMENTS'\n"
    "      Reads an argument list as a function or statement receives it: `with X` and\n"
    "      `without X` become X 1 and X 0, then the positional value (when the count is odd)\n"
    "      and each keyword with its value, one to a row.\n"
    "  kncourse script eval 'EXPRESSION' [--as KIND] [--seed N]\n"
    "      Evaluates one expression without a window (variables are zero, view functions other\n"
    "      than x, y, extent and location of a point give nothing) and prints the value's kind\n"
    "      and payload, then any tokens the expression left unread. --as converts the value as\n"
    "      a statement asking for KIND would (integer, real, text, colour, point). --seed seeds\n"
    "      the random generator first. Exit status 1 when the expression, or the conversion,\n"
    "      yields nothing.\n"
    "SOURCE and EXPRESSION are UTF-8 and are read as the course's Windows-1252 bytes.\n";

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

int Chunks(const Args& args) {
  Args a = args;
  const bool textOnly = kncourse::TakeSwitch(a, "text");
  if (a.size() != 1) return kncourse::UsageError("script chunks takes one FILE", kUsage);
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

int Tokens(const Args& a) {
  if (a.size() != 1) return kncourse::UsageError("script tokens takes one SOURCE", kUsage);
  std::vector<std::uint8_t> tokens;
  TokenizeChunk(CourseBytes(a[0]) + "\n", tokens);
  std::printf("%s\n", kncourse::Show(DescribeTokens(tokens)).c_str());
  return 0;
}

int ArgumentsCommand(const Args& a) {
  if (a.size() != 1) return kncourse::UsageError("script args takes one ARGUMENTS", kUsage);
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

std::optional<ScriptKind> KindFromName(const std::string& name) {
  for (ScriptKind k : {ScriptKind::Integer, ScriptKind::Real, ScriptKind::Text, ScriptKind::Colour, ScriptKind::Point})
    if (ScriptKindName(k) == name) return k;
  if (name == "color") return ScriptKind::Colour;
  return std::nullopt;
}

int Eval(const Args& args) {
  Args a = args;
  std::optional<ScriptKind> as;
  if (auto kind = kncourse::TakeOption(a, "as")) {
    as = KindFromName(*kind);
    if (!as) return kncourse::UsageError("--as takes integer, real, text, colour or point", kUsage);
  }
  if (auto seed = kncourse::TakeOption(a, "seed")) {
    try {
      SeedRandom(static_cast<std::uint32_t>(std::stoul(*seed)));
    } catch (const std::exception&) {
      return kncourse::UsageError("--seed takes a number", kUsage);
    }
  }
  if (a.size() != 1) return kncourse::UsageError("script eval takes one EXPRESSION", kUsage);
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

int Script(const Args& args) {
  if (args.empty() || kncourse::WantsHelp(args)) {
    std::cout << kUsage;
    return args.empty() ? 2 : 0;
  }
  const Args rest(args.begin() + 1, args.end());
  try {
    if (args[0] == "chunks") return Chunks(rest);
    if (args[0] == "tokens") return Tokens(rest);
    if (args[0] == "args") return ArgumentsCommand(rest);
    if (args[0] == "eval") return Eval(rest);
  } catch (const CourseFileError& e) {
    return kncourse::Fail(e.what());
  }
  return kncourse::UsageError("unknown script command '" + args[0] + "'", kUsage);
}

}  // namespace

KN_COMMAND("script", "script chunks of exposition files, tokens and expressions", Script);
