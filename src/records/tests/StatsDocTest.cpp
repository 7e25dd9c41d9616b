#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>

#include "RecordsTestSupport.h"
#include "TestSupport.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "records/ProgressStore.h"
#include "records/StatsDoc.h"
#include "records/StatsDocTemplate.h"
#include "records/StudentInfoDlg.h"

using kntest::Loc;

namespace {

class FakeWindows : public StatsWindowPart {
 public:
  std::vector<WindowRecord> CollectWindows() override { return open; }
  void RestoreWindows(const std::vector<WindowRecord>& records) override { restored = records; }
  std::vector<WindowRecord> open;
  std::optional<std::vector<WindowRecord>> restored;
};

struct DocScene {
  ScopedService<ContentsTable> contents{const_cast<ContentsTable*>(&kntest::RecordsContents())};
  StudentRecord record;
  Preferences preferences;
  FakeWindows windows;
  CStatsDocTemplate docs{&record, &preferences};
  std::vector<int> notified;
  int lessonBooks = 0;
  bool skip = false;
  std::vector<QString> questions;
  bool answer = true;
  NoticeRecorder notices;
  std::filesystem::path dir = kntest::MakeTempDir("doc");

  DocScene() {
    docs.windows = &windows;
    docs.notify = [this](int code, void*) { notified.push_back(code); };
    docs.createLessonBook = [this] {
      ++lessonBooks;
      return true;
    };
    docs.skipSettingsHeld = [this] { return skip; };
    docs.ask = [this](const QString& q) {
      questions.push_back(q);
      return answer;
    };
  }
  // A file written by another learner's session.
  std::filesystem::path SavedFile(const std::string& name) {
    StudentRecord r;
    r.SetName(name);
    r.SetCompleted(Loc(0, 0, 1), true);
    r.SetCompleted(Loc(5, 0, 0), true);  // not in this course: dropped when opened
    r.AddBookmark(Loc(1, 0, 0));
    Preferences p;
    p.fontSize = 18;
    const std::vector<WindowRecord> w = {{1, {0, 0, 600, 400}, Loc(0, 1, -1)}, {5, {10, 10, 300, 300}, Loc(0, 0, 0)}};
    const auto path = dir / (name + ".kns");
    EXPECT_TRUE(SaveProgressPath(path, r, p, w).ok);
    return path;
  }
};

TEST(StatsDocTemplate, StringsNameTheProductAndTheSuffix) {
  const StatsDocStrings s = MakeStatsDocStrings();
  EXPECT_EQ(s.windowTitle, QStringLiteral("Kestrelon"));
  EXPECT_EQ(s.filterName, QStringLiteral("Student Progress File (*.kns)"));
  EXPECT_EQ(s.filterExtension, QStringLiteral(".kns"));
  EXPECT_EQ(s.fileTypeId, QStringLiteral("KestrelonStudentProgressFileType"));
  EXPECT_EQ(s.fileTypeName, QStringLiteral("Student Progress File Type"));
}

TEST(StatsDocTemplate, OpeningAppliesTheFileAndRestoresItsWindows) {
  DocScene s;
  const auto path = s.SavedFile("Ann");
  ASSERT_NE(s.docs.OpenDocument(path), nullptr);
  EXPECT_EQ(s.record.name(), "Ann");
  EXPECT_EQ(s.record.completions(), (std::vector<CompletionMark>{{0, 0, 1}}));
  EXPECT_EQ(s.record.bookmarks(), (std::vector<ActivityLocator>{Loc(1, 0, 0)}));
  EXPECT_EQ(s.preferences.fontSize, 18);
  ASSERT_TRUE(s.windows.restored);
  EXPECT_EQ(s.windows.restored->size(), 2u);
  EXPECT_EQ(s.lessonBooks, 1);
  EXPECT_EQ(s.docs.document()->path(), path);
  EXPECT_EQ(s.docs.RecentFiles().value(0), QString::fromStdString(path.string()));
  EXPECT_NE(std::find(s.notified.begin(), s.notified.end(), 3), s.notified.end());

  // Saving writes the windows open now.
  s.windows.open = {{7, {5, 5, 200, 200}, EmptyWindowLocator()}};
  ASSERT_TRUE(s.docs.document()->Save());
  const ProgressOpen back = ReadProgressPath(path, {});
  ASSERT_EQ(back.status, ProgressOpen::Status::Ok);
  EXPECT_EQ(back.data.windows, s.windows.open);
  EXPECT_EQ(back.data.learner.name(), "Ann");

  s.notified.clear();
  s.docs.CloseDocument();
  EXPECT_EQ(s.docs.document(), nullptr);
  EXPECT_TRUE(s.record.name().empty());
  EXPECT_TRUE(s.record.bookmarks().empty());
  // The learner's marks are gone: whoever shows them hears of it.
  EXPECT_NE(std::find(s.notified.begin(), s.notified.end(), 3), s.notified.end());
}

TEST(StatsDocTemplate, CtrlShiftRestoresTheLearnerButNoWindows) {
  DocScene s;
  s.skip = true;
  ASSERT_NE(s.docs.OpenDocument(s.SavedFile("Bo")), nullptr);
  EXPECT_EQ(s.record.name(), "Bo");
  EXPECT_EQ(s.record.bookmarkCount(), 1);
  EXPECT_FALSE(s.windows.restored);
  EXPECT_EQ(s.preferences.fontSize, Preferences::kDefaultFontSize);
}

TEST(StatsDocTemplate, ADamagedFileChangesNothingUnlessTheBackupIsTaken) {
  DocScene s;
  const auto path = s.SavedFile("Cy");
  s.SavedFile("Cy");  // the first version is now the backup
  auto bytes = kntest::ReadFileBytes(path);
  bytes.resize(bytes.size() / 2);
  kntest::WriteFileBytes(path, bytes);
  s.record.SetName("current");

  s.answer = false;
  EXPECT_EQ(s.docs.OpenDocument(path), nullptr);
  ASSERT_EQ(s.questions.size(), 1u);
  EXPECT_EQ(s.record.name(), "current");
  EXPECT_EQ(s.lessonBooks, 0);
  EXPECT_EQ(kntest::ReadFileBytes(path), bytes);  // nothing written over it

  s.answer = true;
  ASSERT_NE(s.docs.OpenDocument(path), nullptr);
  EXPECT_EQ(s.record.name(), "Cy");
  EXPECT_EQ(s.docs.document()->path(), path);

  // Missing and empty files: their notices, nothing opened.
  s.docs.CloseDocument();
  EXPECT_EQ(s.docs.OpenDocument(s.dir / "none.kns"), nullptr);
  EXPECT_TRUE(s.notices.sawId(str::kProgressNotFound));
  kntest::WriteFileBytes(s.dir / "empty.kns", {});
  EXPECT_EQ(s.docs.OpenDocument(s.dir / "empty.kns"), nullptr);
  EXPECT_TRUE(s.notices.sawId(str::kProgressEmpty));
}

TEST(StatsDocTemplate, NewStudentTakesTheNameAndAsksForAFileName) {
  DocScene s;
  QString offered;
  s.docs.chooseFile = [&](bool save) {
    EXPECT_TRUE(save);
    offered = QString::fromStdString((s.dir / "Dee").string());
    return offered;
  };
  QTimer::singleShot(0, [] {
    auto* dialog = dynamic_cast<CStudentInfoDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->nameEdit()->setText(QStringLiteral("Dee"));
    dialog->accept();
  });
  ASSERT_TRUE(s.docs.NewStudent());
  EXPECT_EQ(s.record.name(), "Dee");
  EXPECT_EQ(s.lessonBooks, 1);
  QApplication::processEvents();  // the queued Save As
  EXPECT_TRUE(std::filesystem::exists(s.dir / "Dee.kns"));
  EXPECT_FALSE(s.docs.NewStudent());  // one document at a time
}

}  // namespace

namespace {

// Work that is not on disc is never dropped without the learner's word.
TEST(StatsDocTemplate, ClosingWithUnsavedWorkAsksToSaveIt) {
  DocScene s;
  std::vector<int> answers;
  std::vector<QString> asked;
  s.docs.askSave = [&](const QString& text) {
    asked.push_back(text);
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  };
  const auto path = s.SavedFile("Di");
  ASSERT_NE(s.docs.OpenDocument(path), nullptr);
  CStatsDoc* doc = s.docs.document();
  EXPECT_FALSE(doc->IsModified());  // as read
  EXPECT_TRUE(s.docs.SaveModified());
  EXPECT_TRUE(asked.empty());

  // A mark made twice is one change; Cancel keeps the document, and it stays modified.
  s.record.SetCompleted(Loc(1, 0, 0), true);
  EXPECT_EQ(s.record.SetCompleted(Loc(1, 0, 0), true), 0);
  ASSERT_TRUE(doc->IsModified());
  answers = {QMessageBox::Cancel};
  EXPECT_FALSE(s.docs.SaveModified());
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_TRUE(asked[0].contains(QStringLiteral("'Di.kns'")));
  EXPECT_TRUE(doc->IsModified());

  // Yes saves to the file's own path.
  answers = {QMessageBox::Yes};
  EXPECT_TRUE(s.docs.SaveModified());
  EXPECT_FALSE(doc->IsModified());
  ProgressOpen back = ReadProgressPath(path, {});
  ASSERT_EQ(back.status, ProgressOpen::Status::Ok);
  EXPECT_TRUE(back.data.learner.IsCompleted(Loc(1, 0, 0)));

  // No gives the change up: the file keeps what it had, and nobody asks again.
  s.record.AddBookmark(Loc(0, 1, 0));
  answers = {QMessageBox::No};
  EXPECT_TRUE(s.docs.SaveModified());
  EXPECT_TRUE(s.docs.SaveModified());
  EXPECT_EQ(asked.size(), 3u);
  back = ReadProgressPath(path, {});
  EXPECT_EQ(back.data.learner.bookmarkCount(), 1);
}

TEST(StatsDocTemplate, AnUnnamedFileIsNamedWhenSavedOnClosingAndAFailedSaveKeepsItOpen) {
  DocScene s;
  s.docs.askSave = [](const QString&) { return int(QMessageBox::Yes); };
  QString name;
  s.docs.chooseFile = [&name](bool) { return name; };
  ASSERT_NE(s.docs.OpenDocument(std::nullopt), nullptr);
  s.record.SetName("Eve");
  ASSERT_TRUE(s.docs.document()->IsModified());
  // The learner cancels the name: the document stays open with its work.
  EXPECT_FALSE(s.docs.SaveModified());
  EXPECT_TRUE(s.docs.document()->IsModified());
  name = QString::fromStdString((s.dir / "eve.kns").string());
  EXPECT_TRUE(s.docs.SaveModified());
  EXPECT_EQ(s.docs.document()->path(), s.dir / "eve.kns");
  EXPECT_TRUE(std::filesystem::exists(s.dir / "eve.kns"));
}

TEST(StatsDocTemplate, AFileOpenedFromItsBackupCountsAsUnsaved) {
  DocScene s;
  const auto path = s.SavedFile("Fay");
  s.SavedFile("Fay");  // the first version is now the backup
  auto bytes = kntest::ReadFileBytes(path);
  bytes.resize(bytes.size() / 2);
  kntest::WriteFileBytes(path, bytes);
  s.answer = true;
  ASSERT_NE(s.docs.OpenDocument(path), nullptr);
  EXPECT_TRUE(s.docs.document()->IsModified());
}

// Save As puts the extension on the name typed and asks before replacing the file it
// then names; a dot in a folder's name is no extension.
TEST(StatsDocTemplate, SaveAsPutsTheExtensionOnAndAsksBeforeReplacing) {
  DocScene s;
  const auto dir = kntest::MakeTempDir("ann.lee");
  s.docs.chooseFile = [&dir](bool) { return QString::fromStdString((dir / "gus").string()); };
  std::vector<QString> asked;
  bool replace = false;
  s.docs.confirmOverwrite = [&](const QString& path) {
    asked.push_back(path);
    return replace;
  };
  ASSERT_NE(s.docs.OpenDocument(std::nullopt), nullptr);
  s.record.SetName("Gus");
  ASSERT_TRUE(s.docs.document()->SaveAs());
  EXPECT_EQ(s.docs.document()->path(), dir / "gus.kns");
  EXPECT_TRUE(asked.empty());
  const auto first = kntest::ReadFileBytes(dir / "gus.kns");
  s.record.SetName("Gus Two");
  EXPECT_FALSE(s.docs.document()->SaveAs());
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], QString::fromStdString((dir / "gus.kns").string()));
  EXPECT_EQ(kntest::ReadFileBytes(dir / "gus.kns"), first);
  replace = true;
  EXPECT_TRUE(s.docs.document()->SaveAs());
  EXPECT_NE(kntest::ReadFileBytes(dir / "gus.kns"), first);
}

}  // namespace

// Progress files from elsewhere name teacher folders; none is used unless the learner
// says so, and none reaches the profile.
TEST(StatsDocTemplate, AFilesTeacherFolderIsUsedOnlyWhenTheLearnerAcceptsIt) {
  const auto classroom = kntest::MakeTempDir("classroom");
  const auto mine = kntest::MakeTempDir("mine");
  struct Case {
    const char* name;
    std::string fileFolder;  // what the crafted file names
    bool answer;
    bool asked;
    std::string used;  // the teacher folder course files are searched in afterwards
  } cases[] = {
      {"accepted", classroom.string() + "/", true, true, classroom.string() + "/"},
      {"refused", classroom.string() + "/", false, true, mine.string() + "/"},
      {"root refused", "/", false, true, mine.string() + "/"},
      {"absent here", "/no/such/teacher/folder/", true, false, mine.string() + "/"},
      {"none", "", true, false, mine.string() + "/"},
      {"the computer's own", mine.string() + "/", false, false, mine.string() + "/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DocScene s;
    s.preferences.SetFolder(Preferences::kTeacherFolder, mine.string() + "/");
    std::vector<QString> asked;
    s.docs.askTeacherFolder = [&](const QString& q) {
      asked.push_back(q);
      return c.answer;
    };
    StudentRecord r;
    r.SetName("Elsewhere");
    Preferences crafted;
    crafted.SetFolder(Preferences::kTeacherFolder, c.fileFolder);
    const auto path = s.dir / "crafted.kns";
    ASSERT_TRUE(SaveProgressPath(path, r, crafted, {}).ok);

    ASSERT_NE(s.docs.OpenDocument(path), nullptr);
    ASSERT_EQ(asked.size(), c.asked ? 1u : 0u);
    if (c.asked)
      EXPECT_EQ(asked[0], QString::fromStdString("This progress file uses the teacher folder '" + c.fileFolder +
                                                 "'. Use it on this computer?"));
    EXPECT_EQ(s.preferences.teacherFolder().path, c.used);
    // Only this computer's own folder is what the profile gets.
    EXPECT_EQ(s.preferences.folder(Preferences::kTeacherFolder).path, mine.string() + "/");
    // Closing the file gives the folder up with it.
    s.docs.CloseDocument();
    EXPECT_EQ(s.preferences.teacherFolder().path, mine.string() + "/");
  }
}

TEST(StatsDocTemplate, ALaterFileWithoutATeacherFolderDoesNotKeepAnEarlierFilesOne) {
  const auto classroom = kntest::MakeTempDir("classroom");
  DocScene s;
  s.docs.askTeacherFolder = [](const QString&) { return true; };
  StudentRecord r;
  Preferences withFolder, without;
  withFolder.SetFolder(Preferences::kTeacherFolder, classroom.string() + "/");
  ASSERT_TRUE(SaveProgressPath(s.dir / "a.kns", r, withFolder, {}).ok);
  ASSERT_TRUE(SaveProgressPath(s.dir / "b.kns", r, without, {}).ok);
  ASSERT_NE(s.docs.OpenDocument(s.dir / "a.kns"), nullptr);
  EXPECT_TRUE(s.preferences.teacherFolder().valid);
  // Opened on top of the first (as the template of a running program would not allow,
  // but a reader must not depend on that).
  ASSERT_NE(s.docs.OpenDocument(s.dir / "b.kns"), nullptr);
  EXPECT_FALSE(s.preferences.teacherFolder().valid);
}
