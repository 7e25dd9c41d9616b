// A child process saves a growing record again and again and is killed at random
// moments; after every kill the file on disc must be the last save the child reported
// complete or the one it was writing, and it must load.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <random>

#include "RecordsTestSupport.h"
#include "TestSupport.h"
#include "records/FileBytes.h"
#include "records/ProgressFile.h"
#include "records/SafeSave.h"

namespace {

constexpr int kSaves = 1000;

const Preferences& Prefs() {
  static const Preferences p;
  return p;
}

// Runs in the child: saves records first..kSaves-1, writing each number to the pipe
// once its save has returned. Never returns.
[[noreturn]] void SaveLoop(const std::filesystem::path& file, int first, int pipeFd) {
  for (int n = first; n < kSaves; ++n) {
    const auto bytes = WriteProgressFile(kntest::GrowingRecord(n), Prefs(), {});
    if (!SaveFileSafely(file, bytes).ok) _exit(3);
    if (::write(pipeFd, &n, sizeof n) != sizeof n) _exit(4);
  }
  _exit(0);
}

// The number of the record the file holds; -1 when it does not load or is not one of ours.
int LoadedNumber(const std::filesystem::path& file) {
  try {
    const ProgressData d = ReadProgressFile(ReadWholeFile(file, kMaxProgressFileBytes), {});
    const std::string& name = d.learner.name();
    if (name.rfind("learner ", 0) != 0) return -1;
    const int n = std::stoi(name.substr(8));
    return kntest::SameLearner(d.learner, kntest::GrowingRecord(n)) ? n : -1;
  } catch (const std::exception&) {
    return -1;
  }
}

TEST(CrashSafety, KilledSavesLeaveTheLastOrThePreviousVersion) {
  const auto dir = kntest::MakeTempDir("crash");
  const auto file = dir / "learner.kns";
  ASSERT_TRUE(SaveFileSafely(file, WriteProgressFile(kntest::GrowingRecord(0), Prefs(), {})).ok);

  std::mt19937 random(20261209);
  int confirmed = 0;  // the last save the child reported complete
  int kills = 0;
  int stalled = 0;
  int rounds = 0;
  while (confirmed < kSaves - 1) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(fds[0]);
      SaveLoop(file, confirmed + 1, fds[1]);
    }
    ::close(fds[1]);
    // Let it run for a while: between nothing and a few saves (a save with its syncs
    // takes some milliseconds); longer after rounds in which no save got through, so
    // that a slow disc still makes progress.
    const int before = confirmed;
    ++rounds;
    ::usleep(std::uniform_int_distribution<useconds_t>(0, 40000)(random) + 2000u * static_cast<useconds_t>(stalled));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (WIFEXITED(status))
      ASSERT_EQ(WEXITSTATUS(status), 0) << "the child's save failed";
    else
      ++kills;
    int n = 0;
    while (::read(fds[0], &n, sizeof n) == sizeof n) confirmed = n;
    ::close(fds[0]);

    const int onDisc = LoadedNumber(file);
    ASSERT_TRUE(onDisc == confirmed || onDisc == confirmed + 1)
        << "file holds record " << onDisc << ", last confirmed save " << confirmed;
    confirmed = onDisc;  // carry on from what is there
    // The backup, once there is one, is an older version that loads: a kill between
    // putting the new file in place and renaming the staged backup leaves the one before.
    if (std::filesystem::exists(BackupPathOf(file))) {
      const int backup = LoadedNumber(BackupPathOf(file));
      EXPECT_TRUE(backup >= 0 && backup < onDisc) << backup << " beside " << onDisc;
    }
    stalled = onDisc == before ? stalled + 1 : 0;
  }
  EXPECT_EQ(LoadedNumber(file), kSaves - 1);
  EXPECT_GT(kills, 10);
  RecordProperty("kills", kills);
  std::printf("%d saves, %d rounds, %d of them killed part way\n", kSaves, rounds, kills);
}

}  // namespace
