// The course search against the system's grep over the same files in the same run, so the
// figure that matters is the ratio (counter "vs_grep": our time over grep's), not the
// machine's speed. Two courses: the bundled sample course and a generated one of 40
// lessons of 90 files of 10 KB each. Also the pattern that makes backtracking matchers
// explode, and how soon a cancelled search returns.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>

#include "course/ContentsTable.h"
#include "course/ResourceContainer.h"
#include "search/CourseSearch.h"
#include "search/SearchPattern.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kLessons = 40;
constexpr int kFileBytes = 10 * 1024;
constexpr const char* kAbsentWord = "zyzzogeton";  // in no file: the whole course is read

void WriteBytes(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string Words(std::mt19937& random, std::size_t bytes) {
  static const char* const kWords[] = {"mean", "Median", "variance", "the", "of", "sample", "Distribution",
                                       "standard", "deviation", "a", "histogram", "and", "is", "Normal",
                                       "probability", "to", "z-score", "interval", "confidence", "test"};
  std::string text;
  while (text.size() < bytes) {
    text += kWords[random() % 20];
    text += random() % 12 == 0 ? "\r\n" : " ";
  }
  text.resize(bytes);
  return text;
}

std::vector<std::uint8_t> Container(const std::string& text) {
  ContainerWriter w;
  w.AddEntry(kEntryText, "body", {'x'});
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  return w.Build();
}

// 40 lessons; each lesson folder holds 9 pages, 72 activity files and 9 homework files.
struct GeneratedCourse {
  fs::path root;
  ContentsTable contents;
  GeneratedCourse() {
    root = fs::temp_directory_path() / ("kn-search-bench-" + std::to_string(::getpid()));
    std::mt19937 random(7);
    std::string text;
    static const char* const kExtensions[] = {".exp", ".fil", ".scr", ".doc"};
    static const char kLetters[] = {'e', 'q', 't', 'r'};
    for (int l = 0; l < kLessons; ++l) {
      const std::string code = "l" + std::to_string(10 + l);
      text += "l=Lesson " + std::to_string(l) + "\nd=" + code + "\n";
      for (int p = 1; p <= 9; ++p) {
        text += "f\np=Page " + std::to_string(p) + "\n";
        WriteBytes(root / code / (code + std::to_string(p) + ".pag"), Container(Words(random, kFileBytes)));
        WriteBytes(root / code / "homework" / (code + std::to_string(p) + ".wrk"), Container(Words(random, kFileBytes)));
        for (int a = 0; a < 8; ++a) {
          const std::string name = code + "p" + std::to_string(p) + "a" + std::to_string(a) + "01" + kExtensions[a % 4];
          text += std::string(1, kLetters[a % 4]) + "=Activity\t" + name + "\n";
          WriteBytes(root / code / name, Container(Words(random, kFileBytes)));
        }
      }
    }
    contents.Load(text, 1, 0, nullptr);
  }
  ~GeneratedCourse() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

GeneratedCourse& Generated() {
  static GeneratedCourse course;
  return course;
}

double GrepSeconds(const fs::path& folder, const char* word) {
  const std::string command = "LC_ALL=C grep -rilF '" + std::string(word) + "' '" + folder.string() + "' > /dev/null";
  const auto start = Clock::now();
  if (std::system(command.c_str()) < 0) return 0;
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Our walk and grep, each timed once per iteration; the benchmark's time is ours.
void SearchAgainstGrep(benchmark::State& state, const ContentsTable& contents, const fs::path& folder, const char* word) {
  SearchSettings settings;
  settings.text = word;
  const CourseSearch search(contents, FolderUnder(folder));
  double ours = 0, grep = 0;
  std::size_t hits = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    const SearchOutcome out = search.Run(settings, std::nullopt, SIZE_MAX);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    hits = out.hits.size();
    state.SetIterationTime(seconds);
    ours += seconds;
    grep += GrepSeconds(folder, word);
  }
  state.counters["hits"] = static_cast<double>(hits);
  state.counters["grep_ms"] = grep * 1000 / static_cast<double>(state.iterations());
  state.counters["vs_grep"] = grep > 0 ? ours / grep : 0;
}

void BM_GeneratedCourseAgainstGrep(benchmark::State& state) {
  GeneratedCourse& course = Generated();
  SearchAgainstGrep(state, course.contents, course.root, kAbsentWord);
}
BENCHMARK(BM_GeneratedCourseAgainstGrep)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_SampleCourseAgainstGrep(benchmark::State& state) {
  const fs::path folder = KN_SAMPLE_COURSE;
  std::ifstream in(folder / "contents.txt", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (text.empty()) {
    state.SkipWithError("the sample course is not built (build target sample_course)");
    return;
  }
  ContentsTable contents;
  contents.Load(text, 1, 0, nullptr);
  SearchAgainstGrep(state, contents, folder, "median");
}
BENCHMARK(BM_SampleCourseAgainstGrep)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1);

void BM_NestedStarsOverAMegabyte(benchmark::State& state) {
  const std::string text(1 << 20, 'a');
  const SearchPattern pattern("a*a*a*a*b");
  for (auto _ : state) benchmark::DoNotOptimize(pattern.Matches(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_NestedStarsOverAMegabyte)->Unit(benchmark::kMillisecond);

// The time from the cancel request (another thread, as the progress dialog's button)
// until the walk has returned.
void BM_CancelLatency(benchmark::State& state) {
  GeneratedCourse& course = Generated();
  SearchSettings settings;
  settings.text = kAbsentWord;
  const CourseSearch search(course.contents, FolderUnder(course.root));
  double worst = 0, total = 0;
  for (auto _ : state) {
    std::atomic<bool> cancel{false};
    Clock::time_point asked;
    std::thread canceller([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      asked = Clock::now();
      cancel = true;
    });
    search.Run(settings, std::nullopt, SIZE_MAX, [&](const SearchProgress&) { return !cancel.load(); });
    const auto returned = Clock::now();
    canceller.join();
    const double ms = std::chrono::duration<double, std::milli>(returned - asked).count();
    worst = std::max(worst, ms);
    total += ms;
  }
  state.counters["cancel_ms_worst"] = worst;
  state.counters["cancel_ms_mean"] = total / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CancelLatency)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
