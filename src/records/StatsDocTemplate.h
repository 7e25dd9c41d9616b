// The document template of student progress files: their strings (named after the
// course), opening and creating documents, the recent-file list, and the window part of
// the file, which the windows framework supplies.
#pragma once

#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "records/ProgressFile.h"
#include "records/WindowPart.h"

class CStatsDoc;
class Preferences;
class StudentRecord;

// What becomes of the teacher folder a progress file names. A file travels between
// computers, so its folder is never taken silently: Own keeps this computer's own (the
// file names none, or a folder this computer does not have), Same is this computer's own
// anyway, Ask puts the question to the learner. An accepted folder serves while the file
// is open and never reaches the profile.
enum class TeacherFolderChoice { Own, Same, Ask };
TeacherFolderChoice ChooseTeacherFolder(const std::string& fileFolder, const Preferences& preferences);

// The template's strings: window title and new-file name (the product name), filter name
// and extension (with the course's "Windows Suffix"), file type id and name.
struct StatsDocStrings {
  QString windowTitle;
  QString newFileName;
  QString filterName;       // "Student Progress File (*.kns)"
  QString filterExtension;  // ".kns"
  QString fileTypeId;       // "<product>StudentProgressFileType"
  QString fileTypeName;     // "Student Progress File Type"
};
StatsDocStrings MakeStatsDocStrings();

class CStatsDocTemplate : public QObject {
  Q_OBJECT
 public:
  static constexpr int kRecentFiles = 4;

  // record and preferences: the program's (their services when null).
  CStatsDocTemplate(StudentRecord* record = nullptr, Preferences* preferences = nullptr, QObject* parent = nullptr);
  ~CStatsDocTemplate() override;

  const StatsDocStrings& strings() const { return m_strings; }
  StudentRecord& record() const { return *m_record; }
  Preferences& preferences() const { return *m_preferences; }

  // The open document, or null.
  CStatsDoc* document() const { return m_document.get(); }

  // With a path: reads the file (with the wait cursor); on any failure the learner is
  // told and nothing changes. Without: a new, empty document. Then the Lesson Book is
  // created when it does not exist yet. Returns the document, or null.
  CStatsDoc* OpenDocument(const std::optional<std::filesystem::path>& path);
  // Closing the Lesson Book: the document goes, the record is reset.
  void CloseDocument();
  // Before the document closes: when the learner's work is not on disc, asks whether to
  // save it (askSave). Yes saves (asking for a name if the file has none), No gives the
  // changes up, Cancel keeps the document open. True when the document may close now.
  bool SaveModified();

  // New student (57600): the "Enter Student Information" dialog, a new document and then
  // Save As. False when cancelled or a document is already open.
  bool NewStudent();
  // Open (57601): the open dialog with the template's filter, then OpenDocument.
  bool OpenStudent();

  // The recent-file list ("Recent File List", File1 to File4 in the profile), newest first.
  QStringList RecentFiles() const;
  void AddRecentFile(const std::filesystem::path& path);

  // ---- where this meets the rest of the program ----
  // Creates and shows the Lesson Book (the view of the document); false when it fails.
  std::function<bool()> createLessonBook;
  // Broadcasts a course notification (3 completion, 6 bookmarks, 7 bars, 2 preferences).
  std::function<void(int code, void* data)> notify;
  // The window part; none: files are written with no window records and opened without
  // restoring any.
  StatsWindowPart* windows = nullptr;
  // Asks a yes/no question (the damaged-file offer of the backup); the standard message
  // box by default.
  std::function<bool(const QString& text)> ask;
  // Asks whether to save changes: QMessageBox::Yes, No or Cancel; the standard message
  // box by default.
  std::function<int(const QString& text)> askSave;
  // Chooses a file name to open (save false) or save as; empty cancels.
  std::function<QString(bool save)> chooseFile;
  // Asks whether an existing file may be replaced; the standard question by default.
  std::function<bool(const QString& path)> confirmOverwrite;
  // Asks whether to use, on this computer, the teacher folder a progress file names
  // (message 26306 with the folder); the standard message box by default.
  std::function<bool(const QString& text)> askTeacherFolder;
  // Whether Ctrl and Shift are both held (skip the preferences and windows of a file).
  std::function<bool()> skipSettingsHeld;

 private:
  friend class CStatsDoc;
  bool Apply(ProgressData data, const std::filesystem::path& path);
  void Notify(int code, void* data) const;

  StudentRecord* m_record;
  Preferences* m_preferences;
  StatsDocStrings m_strings;
  std::unique_ptr<CStatsDoc> m_document;
};
