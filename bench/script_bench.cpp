// Script compilation (cutting an exposition text into chunks and tokenizing them,
// done once per file load) and expression evaluation (done while chunks run).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "exposition/ChunkLoader.h"
#include "exposition/PlainScriptView.h"
#include "exposition/ScriptExpression.h"
#include "exposition/ScriptTokenizer.h"
#include "exposition/TokenCursor.h"

namespace {

// About 1 MB of exposition text in the shape of a real lesson: narration, timing
// lines, comments, and script lines with words, numbers, strings and operators.
std::string LessonText() {
  const std::string scene =
      "The mean is the sum of the values divided by how many there are.\r\n"
      "+12.5 label scene, clear\r\n"
      ":clear except \"title\" fade 0.5\r\n"
      ":display \"The \\\"mean\\\" of a sample\" at {-1, 20} size 14 color dkblue with bold\r\n"
      ":circle at {120, 80} size 40 color red fade 1.5\r\n"
      ":repeat with int0 from 1 to 10\r\n"
      ":  set float0 to float0 + int0 * 2.5 - 3\r\n"
      ":  if int0 <= 5 and float0 >= 12.75 then move \"dot\" by {4, -5} duration 0.25\r\n"
      ":end repeat\r\n"
      "- the answer is checked against the computed mean\r\n"
      "Now try it yourself: type the mean of these five numbers.\r\n"
      "+15 label try\r\n"
      ":ask \"answer\" at {200, 150} width 60 with numeric\r\n"
      ":button \"Check\" under \"answer\" without border\r\n"
      "~\r\n";
  std::string text;
  while (text.size() < (1u << 20)) text += scene;
  return text;
}

void BM_CompileExpositionText(benchmark::State& state) {
  const std::string text = LessonText();
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  std::size_t chunks = 0;
  for (auto _ : state) {
    const ChunkLoadResult r = LoadScriptChunks(bytes);
    chunks = r.chunks.size();
    benchmark::DoNotOptimize(r.chunks.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["chunks"] = static_cast<double>(chunks);
}
BENCHMARK(BM_CompileExpositionText)->Unit(benchmark::kMillisecond);

void BM_TokenizeChunk(benchmark::State& state) {
  std::string source;
  for (int i = 0; i < 20; ++i)
    source +=
        "display \"Sample mean\" at {-1, 20} size 14 color dkblue with bold\n"
        "set float0 to float0 + int0 * 2.5 - 3 / 4\n";
  std::vector<std::uint8_t> tokens;
  for (auto _ : state) {
    TokenizeChunk(source, tokens);
    benchmark::DoNotOptimize(tokens.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * source.size()));
}
BENCHMARK(BM_TokenizeChunk);

void BM_EvaluateMixedExpression(benchmark::State& state) {
  // Integers, reals, a variable, parentheses, a list, a function and a comparison.
  std::vector<std::uint8_t> tokens;
  TokenizeChunk("round (2 * (int0 + 3.5) - float1 / 4) decimals 2 = 7 and item 2 of {1, 2, 3} = 2\n", tokens);
  PlainScriptView view;
  for (auto _ : state) {
    TokenCursor cursor(tokens);
    benchmark::DoNotOptimize(EvaluateExpression(cursor, &view));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateMixedExpression);

void BM_EvaluateArithmetic(benchmark::State& state) {
  std::vector<std::uint8_t> tokens;
  TokenizeChunk("int0 * 2 + 3 - float2 / 1.5\n", tokens);
  PlainScriptView view;
  for (auto _ : state) {
    TokenCursor cursor(tokens);
    benchmark::DoNotOptimize(EvaluateExpression(cursor, &view));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateArithmetic);

}  // namespace

BENCHMARK_MAIN();
