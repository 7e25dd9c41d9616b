#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestSupport.h"
#include "course/Notice.h"
#include "course/StringIds.h"
#include "records/ProgressStore.h"
#include "records/SafeSave.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::string Text(const std::filesystem::path& p) {
  const auto b = kntest::ReadFileBytes(p);
  return {b.begin(), b.end()};
}

// Names in the folder other than the file and its backup: leftovers of a save.
std::vector<std::string> Leftovers(const std::filesystem::path& dir, const std::string& file) {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    const std::string n = e.path().filename().string();
    if (n != file && n != file + ".bak") out.push_back(n);
  }
  return out;
}

class ScopedFault {
 public:
  explicit ScopedFault(SaveStep step, int err = ENOSPC)
      : m_previous(SetSaveFaultHook([step, err](SaveStep s) { return s == step ? err : 0; })) {}
  ~ScopedFault() { SetSaveFaultHook(std::move(m_previous)); }

 private:
  SaveFaultHook m_previous;
};

TEST(SafeSave, NewFileThenReplacementKeepsThePreviousAsBackup) {
  const auto dir = kntest::MakeTempDir("save");
  const auto file = dir / "Ann.kns";
  ASSERT_TRUE(SaveFileSafely(file, Bytes("one")).ok);
  EXPECT_EQ(Text(file), "one");
  EXPECT_FALSE(std::filesystem::exists(BackupPathOf(file)));
  ASSERT_TRUE(SaveFileSafely(file, Bytes("two")).ok);
  ASSERT_TRUE(SaveFileSafely(file, Bytes("three")).ok);
  EXPECT_EQ(Text(file), "three");
  EXPECT_EQ(Text(BackupPathOf(file)), "two");
  EXPECT_TRUE(Leftovers(dir, "Ann.kns").empty());
}

TEST(SafeSave, AStepThatFailsLeavesTheOldFileAndBackupAsTheyWere) {
  for (SaveStep step : {SaveStep::OpenTemp, SaveStep::Write, SaveStep::Sync, SaveStep::Backup, SaveStep::Rename}) {
    const auto dir = kntest::MakeTempDir("save");
    const auto file = dir / "Ann.kns";
    ASSERT_TRUE(SaveFileSafely(file, Bytes("old")).ok);
    ASSERT_TRUE(SaveFileSafely(file, Bytes("current")).ok);
    SaveResult r;
    {
      ScopedFault fault(step);
      r = SaveFileSafely(file, Bytes("new"));
    }
    EXPECT_FALSE(r.ok) << int(step);
    EXPECT_NE(r.reason.find("No space left"), std::string::npos) << r.reason;
    EXPECT_EQ(Text(file), "current") << int(step);
    EXPECT_EQ(Text(BackupPathOf(file)), "old") << int(step);
    EXPECT_TRUE(Leftovers(dir, "Ann.kns").empty()) << int(step);
  }
}

TEST(SafeSave, AFolderThatCannotBeSyncedIsReportedThoughTheFileIsWritten) {
  const auto dir = kntest::MakeTempDir("save");
  ScopedFault fault(SaveStep::SyncFolder, EIO);
  const SaveResult r = SaveFileSafely(dir / "a.kns", Bytes("x"));
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(Text(dir / "a.kns"), "x");
}

TEST(SafeSave, RealFailuresOfTheFileSystem) {
  const auto dir = kntest::MakeTempDir("save");
  // No such folder.
  EXPECT_FALSE(SaveFileSafely(dir / "missing" / "a.kns", Bytes("x")).ok);
  // A folder where the file should be.
  std::filesystem::create_directory(dir / "d.kns");
  EXPECT_FALSE(SaveFileSafely(dir / "d.kns", Bytes("x")).ok);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "d.kns"));
  // The temporary name taken by a folder: the save fails and the old file stays.
  ASSERT_TRUE(SaveFileSafely(dir / "b.kns", Bytes("old")).ok);
  std::filesystem::create_directory(dir / ".b.kns.saving");
  EXPECT_FALSE(SaveFileSafely(dir / "b.kns", Bytes("new")).ok);
  EXPECT_EQ(Text(dir / "b.kns"), "old");
}

TEST(SafeSave, LinkSavesToItsTargetAndPermissionsStay) {
  const auto dir = kntest::MakeTempDir("save");
  ASSERT_TRUE(SaveFileSafely(dir / "real.kns", Bytes("a")).ok);
  ::chmod((dir / "real.kns").c_str(), 0640);
  std::filesystem::create_symlink(dir / "real.kns", dir / "link.kns");
  ASSERT_TRUE(SaveFileSafely(dir / "link.kns", Bytes("b")).ok);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.kns"));
  EXPECT_EQ(Text(dir / "real.kns"), "b");
  struct stat st {};
  ASSERT_EQ(::stat((dir / "real.kns").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(ProgressStore, FailedSaveNamesTheFileAndTheReason) {
  const auto dir = kntest::MakeTempDir("save");
  NoticeRecorder notices;
  StudentRecord r;
  r.SetName("Ann");
  ASSERT_TRUE(SaveProgressPath(dir / "Ann.kns", r, Preferences(), {}).ok);
  EXPECT_TRUE(notices.notices().empty());
  ScopedFault fault(SaveStep::Write);
  EXPECT_FALSE(SaveProgressPath(dir / "Ann.kns", r, Preferences(), {}).ok);
  ASSERT_TRUE(notices.sawId(str::kSaveFailed));
  EXPECT_TRUE(notices.sawText("'Ann.kns' (cannot write: No space left on device)"));
}

TEST(ProgressStore, OpeningReportsMissingEmptyAndDamagedFiles) {
  const auto dir = kntest::MakeTempDir("open");
  StudentRecord r;
  r.SetName("Ann");
  r.SetCompleted(ActivityLocator(0, 0, 0), true);
  ASSERT_TRUE(SaveProgressPath(dir / "a.kns", r, Preferences(), {}).ok);
  const auto good = kntest::ReadFileBytes(dir / "a.kns");

  NoticeRecorder notices;
  EXPECT_EQ(ReadProgressPath(dir / "none.kns", {}).status, ProgressOpen::Status::CannotOpen);
  ReportProgressOpen(dir / "none.kns", ReadProgressPath(dir / "none.kns", {}));
  EXPECT_TRUE(notices.sawId(str::kProgressNotFound));

  kntest::WriteFileBytes(dir / "empty.kns", {});
  const ProgressOpen empty = ReadProgressPath(dir / "empty.kns", {});
  EXPECT_EQ(empty.status, ProgressOpen::Status::Empty);
  ReportProgressOpen(dir / "empty.kns", empty);
  EXPECT_TRUE(notices.sawId(str::kProgressEmpty));

  // Damaged without a backup: a notice. With one: the question, and no notice.
  kntest::WriteFileBytes(dir / "cut.kns", std::vector<std::uint8_t>(good.begin(), good.end() - 3));
  const ProgressOpen cut = ReadProgressPath(dir / "cut.kns", {});
  EXPECT_EQ(cut.status, ProgressOpen::Status::Damaged);
  EXPECT_FALSE(cut.backupExists);
  EXPECT_TRUE(ReportProgressOpen(dir / "cut.kns", cut).empty());
  EXPECT_TRUE(notices.sawId(str::kProgressDamaged));

  notices.clear();
  ASSERT_TRUE(SaveProgressPath(dir / "a.kns", r, Preferences(), {}).ok);  // a.kns.bak now exists
  kntest::WriteFileBytes(dir / "a.kns", std::vector<std::uint8_t>(good.begin(), good.begin() + 5));
  const ProgressOpen damaged = ReadProgressPath(dir / "a.kns", {});
  ASSERT_TRUE(damaged.backupExists);
  const std::string question = ReportProgressOpen(dir / "a.kns", damaged);
  EXPECT_NE(question.find("'a.kns'"), std::string::npos);
  EXPECT_TRUE(notices.notices().empty());
  const ProgressOpen backup = ReadProgressPath(BackupPathOf(dir / "a.kns"), {});
  ASSERT_EQ(backup.status, ProgressOpen::Status::Ok);
  EXPECT_EQ(backup.data.learner.name(), "Ann");
}

}  // namespace
