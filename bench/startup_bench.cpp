// Start-up of the course player: from launching the program to its idle Welcome window
// (kestrelon --exit-when-idle, offscreen, with the sample course beside it and no saved
// settings), next to the floor any Qt program pays: launching a program that shows an
// empty QMainWindow and exits once it is idle.
//
// Each iteration runs both programs, one right after the other and in alternating order,
// so that both see the same load on a shared machine. Reported (medians over the
// iterations): the player's wall and CPU time (user + system, all threads) as multiples
// of the empty window's, and the peak resident memory of each.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::filesystem::path BinaryDir() {
  // bench/bench_startup -> the build folder
  return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path();
}

// A private home, configuration and runtime folder, so that no saved settings or running
// program take part.
std::vector<std::string> Environment() {
  static const std::filesystem::path root = [] {
    char pattern[] = "/tmp/knbench-XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::filesystem::path(made ? made : "/tmp");
  }();
  for (const char* sub : {"home", "config", "runtime"}) std::filesystem::create_directories(root / sub);
  std::filesystem::permissions(root / "runtime", std::filesystem::perms::owner_all);
  return {"QT_QPA_PLATFORM=offscreen",
          "SDL_AUDIODRIVER=dummy",
          "HOME=" + (root / "home").string(),
          "XDG_CONFIG_HOME=" + (root / "config").string(),
          "XDG_RUNTIME_DIR=" + (root / "runtime").string(),
          std::string("PATH=") + (std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin")};
}

struct RunCost {
  double wallMs = 0;
  double cpuMs = 0;     // user + system of the program and its threads
  double peakMiB = 0;   // its largest resident set
};

double Ms(const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; }

// Runs program to its end; false when it could not be started or failed.
bool Run(const std::string& program, const std::vector<std::string>& args, RunCost& cost) {
  std::vector<std::string> env = Environment();
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) return false;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  cost.wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  cost.cpuMs = Ms(usage.ru_utime) + Ms(usage.ru_stime);
  cost.peakMiB = usage.ru_maxrss / 1024.0;  // kilobytes on Linux
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_PlayerBesideEmptyMainWindow(benchmark::State& state) {
  const std::string empty = (BinaryDir() / "bench" / "bench_empty_mainwindow").string();
  const std::string player = (BinaryDir() / "bin" / "kestrelon").string();
  std::vector<double> wallRatio, cpuRatio, playerWall, playerCpu, playerPeak, emptyWall, emptyCpu, emptyPeak;
  bool playerFirst = false;
  for (auto _ : state) {
    RunCost e, p;
    playerFirst = !playerFirst;
    const bool ok = playerFirst ? Run(player, {"--exit-when-idle"}, p) && Run(empty, {}, e)
                                : Run(empty, {}, e) && Run(player, {"--exit-when-idle"}, p);
    if (!ok) {
      state.SkipWithError("kestrelon or the empty program failed");
      return;
    }
    wallRatio.push_back(p.wallMs / std::max(e.wallMs, 1e-3));
    cpuRatio.push_back(p.cpuMs / std::max(e.cpuMs, 1e-3));
    playerWall.push_back(p.wallMs);
    playerCpu.push_back(p.cpuMs);
    playerPeak.push_back(p.peakMiB);
    emptyWall.push_back(e.wallMs);
    emptyCpu.push_back(e.cpuMs);
    emptyPeak.push_back(e.peakMiB);
  }
  state.counters["wall_ratio"] = Median(wallRatio);
  state.counters["cpu_ratio"] = Median(cpuRatio);
  state.counters["player_wall_ms"] = Median(playerWall);
  state.counters["player_cpu_ms"] = Median(playerCpu);
  state.counters["player_peak_MiB"] = Median(playerPeak);
  state.counters["empty_wall_ms"] = Median(emptyWall);
  state.counters["empty_cpu_ms"] = Median(emptyCpu);
  state.counters["empty_peak_MiB"] = Median(emptyPeak);
}
// Fifteen pairs; the iteration time is the pair's.
BENCHMARK(BM_PlayerBesideEmptyMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(15);

}  // namespace

BENCHMARK_MAIN();
