// The movie component's speed: decoding frames in order (what playing asks for), going
// to a time anywhere (seeking), opening a movie, and decoding its sound.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "movies/Movie.h"
#include "movies/MovieSound.h"

namespace {

const char* const kMovies[] = {"pattern-h264.mov", "pattern-mjpeg.mov", "pattern-rle.mov"};

std::filesystem::path MoviePath(int index) {
  return std::filesystem::path(KN_SOURCE_DIR) / "src/movies/tests/data" / kMovies[index];
}

// Every frame of the movie in order, once per iteration; items are frames.
void BM_DecodeInOrder(benchmark::State& state) {
  auto movie = CMovie::Open(MoviePath(static_cast<int>(state.range(0))));
  const MovieTime step = movie->FrameDuration();
  std::int64_t frames = 0;
  for (auto _ : state) {
    for (MovieTime t = 0; t < movie->Duration(); t += step) {
      benchmark::DoNotOptimize(movie->FrameAt(t).constBits());
      ++frames;
    }
    state.PauseTiming();
    movie->FrameAt(0);  // the seek back to the start is not decoding
    state.ResumeTiming();
  }
  state.SetItemsProcessed(frames);
  state.SetLabel(kMovies[state.range(0)]);
}
BENCHMARK(BM_DecodeInOrder)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A frame at a random time: the seek to the key frame before it and the decoding on.
void BM_FrameAtRandomTime(benchmark::State& state) {
  auto movie = CMovie::Open(MoviePath(static_cast<int>(state.range(0))));
  std::mt19937 random(1);
  std::uniform_int_distribution<MovieTime> time(0, movie->Duration());
  for (auto _ : state) benchmark::DoNotOptimize(movie->FrameAt(time(random)).constBits());
  state.SetLabel(kMovies[state.range(0)]);
}
BENCHMARK(BM_FrameAtRandomTime)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_Open(benchmark::State& state) {
  const auto path = MoviePath(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(CMovie::Open(path));
  state.SetLabel(kMovies[state.range(0)]);
}
BENCHMARK(BM_Open)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The whole sound track resampled to 22 050 Hz mono in output-buffer-sized reads.
void BM_DecodeSound(benchmark::State& state) {
  auto movie = CMovie::Open(MoviePath(static_cast<int>(state.range(0))));
  MovieSoundSource* sound = movie->Sound();
  std::vector<std::int16_t> buffer(8192);
  for (auto _ : state)
    for (std::int64_t at = 0; at < sound->Length(); at += static_cast<std::int64_t>(buffer.size()))
      benchmark::DoNotOptimize(sound->Read(at, buffer));
  state.SetItemsProcessed(state.iterations() * sound->Length());
  state.SetLabel(kMovies[state.range(0)]);
}
BENCHMARK(BM_DecodeSound)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
