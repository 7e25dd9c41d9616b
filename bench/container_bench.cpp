// Opening a container and looking entries up: the personality and every page
// file go through this.
#include <benchmark/benchmark.h>

#include "course/ResourceContainer.h"

namespace {
std::vector<std::uint8_t> MakeContainer(int entries) {
  ContainerWriter w;
  for (int i = 0; i < entries; ++i)
    w.AddEntry(static_cast<std::uint32_t>(i % 3), "Entry number " + std::to_string(i), std::vector<std::uint8_t>(64, 1));
  w.SetText(std::vector<std::uint8_t>(4096, 'x'));
  return w.Build();
}

void BM_ParseDirectory(benchmark::State& state) {
  const auto bytes = MakeContainer(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ContainerDirectory::Parse(bytes, bytes.size()));
}
BENCHMARK(BM_ParseDirectory)->Arg(8)->Arg(64)->Arg(512);

void BM_FindPicture(benchmark::State& state) {
  const auto bytes = MakeContainer(static_cast<int>(state.range(0)));
  const auto d = ContainerDirectory::Parse(bytes, bytes.size());
  for (auto _ : state) benchmark::DoNotOptimize(d.FindEntry("entry NUMBER 3", 0));
}
BENCHMARK(BM_FindPicture)->Arg(8)->Arg(64)->Arg(512);
}  // namespace

BENCHMARK_MAIN();
