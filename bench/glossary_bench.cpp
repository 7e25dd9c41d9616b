// The glossary and the index are read at start-up: a 1 MB glossary (some 3 000 terms with
// definitions of a few hundred bytes and markup) and an index of 5 000 terms with up to
// ten references each. Finding a term walks the names in file order.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "course/ResourceContainer.h"
#include "glossary/GlossaryTable.h"
#include "glossary/IndexTable.h"

namespace {

std::vector<std::uint8_t> Glossary(std::size_t bytes) {
  std::string text = "<dl>\r\n";
  for (int i = 0; text.size() < bytes; ++i) {
    text += "<dt>term number " + std::to_string(i) + "\r\n<dd>The <b>definition</b> of term " + std::to_string(i) +
            ", which refers to <dfn>term number " + std::to_string(i / 2) + "</dfn> and goes on for a while so that " +
            "the definition is as long as a real one, with an <i>emphasis</i> and a line break<br>in it.\r\n";
  }
  text += "</dl>\r\n";
  ContainerWriter writer;
  writer.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  return writer.Build();
}

std::vector<std::uint8_t> Index(int terms) {
  std::string text;
  for (int i = 0; i < terms; ++i) {
    text += "index term " + std::to_string(i);
    for (int r = 0; r < 1 + i % 10; ++r) text += "\t" + std::to_string(100 + (i * 7 + r) % 3900) + (r == 3 ? "_lab.lab" : "");
    text += "\r\n";
  }
  return {text.begin(), text.end()};
}

void BM_LoadGlossary1MB(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = Glossary(1 << 20);
  for (auto _ : state) {
    GlossaryTable table;
    table.Load(ResourceContainer::FromBytes(bytes, "glossary.gls"));
    benchmark::DoNotOptimize(table.Count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadGlossary1MB)->Unit(benchmark::kMillisecond);

void BM_FindLastGlossaryTerm(benchmark::State& state) {
  GlossaryTable table;
  table.Load(ResourceContainer::FromBytes(Glossary(1 << 20), "glossary.gls"));
  const std::string last = table.TermName(table.Count() - 1) + "s";
  for (auto _ : state) benchmark::DoNotOptimize(table.FindTerm(last));
}
BENCHMARK(BM_FindLastGlossaryTerm)->Unit(benchmark::kMicrosecond);

void BM_ParseIndex5000(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = Index(5000);
  for (auto _ : state) {
    IndexTable index;
    index.Parse(bytes);
    benchmark::DoNotOptimize(index.Count());
  }
}
BENCHMARK(BM_ParseIndex5000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
