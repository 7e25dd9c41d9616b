// Decoding speed of each clip format, as a multiple of real time on one core: the
// counter "x_realtime" is seconds of sound decoded per second of CPU time. A playing
// clip decodes one 0.37-second block each time a buffer comes back.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "audio/AudioFormat.h"
#include "audio/ClipDecoder.h"
#include "audio/PcmConvert.h"
#include "course/CourseFile.h"

namespace {

std::vector<std::uint8_t> Fixture(const std::string& name) {
  std::ifstream in(std::string(KN_AUDIO_DATA) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void DecodeClip(benchmark::State& state, const char* name) {
  const auto bytes = Fixture(name);
  auto d = audio::ClipDecoder::Open(CourseFile::FromMemory(bytes, name), name);
  std::vector<std::int16_t> out(audio::kBufferSamples);
  for (auto _ : state) {
    for (std::int64_t b = 0; b < d->blockCount(); ++b) {
      const std::int64_t from = b * d->unitsPerBlock();
      d->decode(from, std::min(d->length(), from + d->unitsPerBlock()), out.data());
      benchmark::DoNotOptimize(out.data());
    }
  }
  const double seconds = double(d->length()) / audio::kClockRate;
  state.counters["x_realtime"] = benchmark::Counter(seconds * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DecodeAiff(benchmark::State& s) { DecodeClip(s, "sweep11k.aif"); }
void BM_DecodeIma22k(benchmark::State& s) { DecodeClip(s, "ima22k.aif"); }
void BM_DecodeIma11k(benchmark::State& s) { DecodeClip(s, "ima11k.aif"); }
void BM_DecodeVorbis22k(benchmark::State& s) { DecodeClip(s, "narration5s.ogg"); }
void BM_DecodeVorbis44k(benchmark::State& s) { DecodeClip(s, "vorbis44k.ogg"); }
BENCHMARK(BM_DecodeAiff);
BENCHMARK(BM_DecodeIma22k);
BENCHMARK(BM_DecodeIma11k);
BENCHMARK(BM_DecodeVorbis22k);
BENCHMARK(BM_DecodeVorbis44k);

// A seek into an IMA clip whose state table knows the block: at most one block of
// packets is run to reach the position.
void BM_ImaSeek(benchmark::State& state) {
  const auto bytes = Fixture("ima22k.aif");
  auto d = audio::ClipDecoder::Open(CourseFile::FromMemory(bytes, "x.aif"), "x.aif");
  std::vector<std::int16_t> out(audio::kBufferSamples);
  for (std::int64_t b = 0; b < d->blockCount(); ++b) {
    const std::int64_t from = b * d->unitsPerBlock();
    d->decode(from, std::min(d->length(), from + d->unitsPerBlock()), out.data());
  }
  std::int64_t at = 0;
  for (auto _ : state) {
    at = (at + 7919 * 64) % d->length();
    const std::int64_t from = d->alignDown(at);
    d->decode(from, std::min(d->length(), from + 64), out.data());
  }
}
BENCHMARK(BM_ImaSeek);

// Built-in sound conversion for a one-shot: a second at 11 025 Hz, doubled.
void BM_OneShotDouble(benchmark::State& state) {
  std::vector<std::uint8_t> bytes(2 * 11025, 0x11);
  for (auto _ : state) benchmark::DoNotOptimize(audio::OneShotSamples(bytes, audio::OneShotMode::LittleEndian11k));
  state.counters["x_realtime"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OneShotDouble);

}  // namespace

BENCHMARK_MAIN();
