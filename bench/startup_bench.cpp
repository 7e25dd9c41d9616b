// Start-up of the course player: from launching the program to its idle Welcome window
// (kestrelon --exit-when-idle, offscreen, with the sample course beside it and no saved
// settings), next to the floor any Qt program pays: launching a program that shows an
// empty QMainWindow and exits once it is idle.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs program to its end; false when it could not be started or failed.
bool Run(const std::string& program, const std::vector<std::string>& args) {
  std::vector<std::string> env = Environment();
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) return false;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_EmptyMainWindowProgram(benchmark::State& state) {
  const std::string program = (BinaryDir() / "bench" / "bench_empty_mainwindow").string();
  for (auto _ : state)
    if (!Run(program, {})) state.SkipWithError("the empty program failed");
}
BENCHMARK(BM_EmptyMainWindowProgram)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_PlayerToIdleWelcomeWindow(benchmark::State& state) {
  const std::string program = (BinaryDir() / "bin" / "kestrelon").string();
  for (auto _ : state)
    if (!Run(program, {"--exit-when-idle"})) state.SkipWithError("kestrelon failed to start");
}
BENCHMARK(BM_PlayerToIdleWelcomeWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
