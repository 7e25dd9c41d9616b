#include "records/StatsDocTemplate.h"

#include <QtCore/QFile>
#include <QtCore/QSettings>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>

#include "course/ContentsServices.h"
#include "course/CourseModelLinks.h"
#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/ProgramResources.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "records/BookmarkDialogs.h"
#include "records/ProgressStore.h"
#include "records/StatsDoc.h"
#include "records/StudentInfoDlg.h"
#include "records/StudentRecord.h"

namespace {
// Course notification codes this document broadcasts.
constexpr int kNotifyPreferences = 2;
constexpr int kNotifyCompletion = 3;
constexpr int kNotifyBars = 7;

QString Personality(int id, const char* fallback) {
  if (const CoursePersonality* p = Service<CoursePersonality>()) {
    const std::string value = p->GetString(id);
    if (!value.empty()) return QString::fromStdString(CourseToUtf8(value));
  }
  return QString::fromLatin1(fallback);
}

QSettings Profile() {
  Preferences::RestrictProfile(Preferences::ProfilePath());
  return QSettings(QString::fromStdString(Preferences::ProfilePath().string()), QSettings::IniFormat);
}

// Records and preferences for a template made before (or without) the services.
StudentRecord& FallbackRecord() {
  static StudentRecord record;
  return record;
}
Preferences& FallbackPreferences() {
  static Preferences preferences;
  return preferences;
}
}  // namespace

TeacherFolderChoice ChooseTeacherFolder(const std::string& fileFolder, const Preferences& preferences) {
  if (fileFolder.empty()) return TeacherFolderChoice::Own;
  const Preferences::Folder& own = preferences.folder(Preferences::kTeacherFolder);
  std::error_code ec;
  if (own.valid && (own.path == fileFolder || std::filesystem::equivalent(own.path, fileFolder, ec)))
    return TeacherFolderChoice::Same;
  if (!std::filesystem::is_directory(fileFolder, ec)) return TeacherFolderChoice::Own;
  return TeacherFolderChoice::Ask;
}

StatsDocStrings MakeStatsDocStrings() {
  StatsDocStrings s;
  const QString product = Personality(kKeyApplication, "Kestrelon");
  const QString suffix = Personality(kKeyWindowsSuffix, "kns");
  s.windowTitle = product;
  s.newFileName = product;
  s.filterName = QStringLiteral("Student Progress File (*.%1)").arg(suffix);
  s.filterExtension = QStringLiteral(".%1").arg(suffix);
  s.fileTypeId = product + QStringLiteral("StudentProgressFileType");
  s.fileTypeName = QStringLiteral("Student Progress File Type");
  return s;
}

CStatsDocTemplate::CStatsDocTemplate(StudentRecord* record, Preferences* preferences, QObject* parent)
    : QObject(parent),
      m_record(record                     ? record
               : Service<StudentRecord>() ? Service<StudentRecord>()
                                          : &FallbackRecord()),
      m_preferences(preferences              ? preferences
                    : Service<Preferences>() ? Service<Preferences>()
                                             : &FallbackPreferences()),
      m_strings(MakeStatsDocStrings()) {
  ask = [](const QString& text) {
    return QMessageBox::question(nullptr, QString(), text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  };
  askSave = [this](const QString& text) {
    return QMessageBox::question(nullptr, m_strings.windowTitle, text,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  };
  chooseFile = [this](bool save) {
    const QString filter = m_strings.filterName;
    if (save)
      return QFileDialog::getSaveFileName(nullptr, QString(), m_strings.newFileName + m_strings.filterExtension,
                                          filter);
    return QFileDialog::getOpenFileName(nullptr, QString(), QString(), filter);
  };
  confirmOverwrite = [](const QString& path) { return ConfirmOverwrite(nullptr, path); };
  askTeacherFolder = [this](const QString& text) {
    return QMessageBox::question(nullptr, m_strings.windowTitle, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
  };
  skipSettingsHeld = [] {
    const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    return (held & Qt::ControlModifier) && (held & Qt::ShiftModifier);
  };
}

CStatsDocTemplate::~CStatsDocTemplate() = default;

void CStatsDocTemplate::Notify(int code, void* data) const {
  if (notify) notify(code, data);
}

CStatsDoc* CStatsDocTemplate::OpenDocument(const std::optional<std::filesystem::path>& path) {
  if (!path) {
    m_document = std::make_unique<CStatsDoc>(*this);
  } else {
    ProgressReadOptions options;
    options.skipSettings = skipSettingsHeld && skipSettingsHeld();
    options.contents = &CurrentContents();
    options.basePreferences = m_preferences;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ProgressOpen open = ReadProgressPath(*path, options);
    QApplication::restoreOverrideCursor();
    bool fromBackup = false;
    if (open.status != ProgressOpen::Status::Ok) {
      fromBackup = true;
      const std::string question = ReportProgressOpen(*path, open);
      if (question.empty() || !ask || !ask(QString::fromStdString(question))) return nullptr;
      // The copy saved before the damaged one; the document keeps the file's own name, so
      // that the next save puts good data back in its place.
      open = ReadProgressPath(BackupPathOf(*path), options);
      if (open.status != ProgressOpen::Status::Ok) {
        ReportProgressOpen(BackupPathOf(*path), open);
        return nullptr;
      }
    }
    if (!Apply(std::move(open.data), *path)) return nullptr;
    // A document read from the backup is not what its file holds: closing it offers to
    // save the good copy back.
    if (!fromBackup) m_document->MarkKept();
  }
  if (createLessonBook && !createLessonBook()) {
    ShowNoticeText("Failed to create empty document.");
    m_document.reset();
    return nullptr;
  }
  return m_document.get();
}

bool CStatsDocTemplate::Apply(ProgressData data, const std::filesystem::path& path) {
  auto document = std::make_unique<CStatsDoc>(*this);
  document->SetPath(path);
  m_record->ReplaceLearner(data.learner);
  if (data.hasSettings) {
    // The file's teacher folder serves while this file is open, and only when the learner
    // says so; the profile keeps this computer's own.
    data.preferences.SetFileTeacherFolder({});
    switch (ChooseTeacherFolder(data.teacherFolder, data.preferences)) {
      case TeacherFolderChoice::Own:
      case TeacherFolderChoice::Same:
        break;
      case TeacherFolderChoice::Ask: {
        const std::string shown = QFile::decodeName(QByteArray::fromStdString(data.teacherFolder)).toStdString();
        if (askTeacherFolder &&
            askTeacherFolder(QString::fromStdString(FormatProgramString(str::kUseFileTeacherFolder, shown))))
          data.preferences.SetFileTeacherFolder(data.teacherFolder);
        break;
      }
    }
    const Preferences previous = *m_preferences;
    *m_preferences = std::move(data.preferences);
    NotifyPreferencesChanged(previous);
    Notify(kNotifyPreferences, const_cast<Preferences*>(&previous));
  }
  m_document = std::move(document);
  AddRecentFile(path);
  if (data.hasSettings && windows) windows->RestoreWindows(data.windows);
  Notify(kNotifyCompletion, nullptr);
  Notify(kNotifyBars, nullptr);
  if (data.hasSettings) Notify(kNotifyPreferences, nullptr);
  return true;
}

bool CStatsDocTemplate::SaveModified() {
  if (!m_document || !m_document->IsModified()) return true;
  const std::string name = m_document->path().empty() ? m_strings.newFileName.toStdString()
                                                      : "'" + m_document->path().filename().string() + "'";
  const int answer = askSave ? askSave(QString::fromStdString(FormatProgramString(str::kSaveChanges, name)))
                             : QMessageBox::Cancel;
  if (answer == QMessageBox::No) {
    m_document->MarkKept();
    return true;
  }
  return answer == QMessageBox::Yes && m_document->Save();
}

void CStatsDocTemplate::CloseDocument() {
  m_document.reset();
  // A teacher folder accepted for that file goes with it.
  m_preferences->SetFileTeacherFolder({});
  m_record->Reset();  // the record tells the bookmark listeners itself
  // The completion marks shown (the Table of Contents, for one) were the learner's: they go too.
  Notify(kNotifyCompletion, nullptr);
}

bool CStatsDocTemplate::NewStudent() {
  if (m_document) return false;
  const auto bundles = LinkedBundles().value_or(std::vector<CourseListEntry>{});
  CStudentInfoDlg dialog(m_record->name(), bundles, m_preferences->bundledText);
  if (dialog.exec() != QDialog::Accepted) return false;
  m_record->SetName(dialog.Name());
  if (dialog.Bundle() != m_preferences->bundledText) {
    const Preferences previous = *m_preferences;
    m_preferences->bundledText = static_cast<std::uint8_t>(dialog.Bundle());
    m_preferences->SetChanged();
    NotifyPreferencesChanged(previous);
    Notify(kNotifyPreferences, const_cast<Preferences*>(&previous));
  }
  CStatsDoc* document = OpenDocument(std::nullopt);
  if (!document) return false;
  // The learner names the new file at once, once the Lesson Book is up.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (m_document) m_document->SaveAs();
      },
      Qt::QueuedConnection);
  return true;
}

bool CStatsDocTemplate::OpenStudent() {
  if (m_document || !chooseFile) return false;
  const QString name = chooseFile(false);
  if (name.isEmpty()) return false;
  return OpenDocument(std::filesystem::path(name.toStdString())) != nullptr;
}

QStringList CStatsDocTemplate::RecentFiles() const {
  QSettings settings = Profile();
  settings.beginGroup(QStringLiteral("Recent File List"));
  QStringList files;
  for (int i = 1; i <= kRecentFiles; ++i) {
    const QString f = settings.value(QStringLiteral("File%1").arg(i)).toString();
    if (!f.isEmpty()) files << f;
  }
  return files;
}

void CStatsDocTemplate::AddRecentFile(const std::filesystem::path& path) {
  std::error_code ec;
  const auto absolute = std::filesystem::absolute(path, ec);
  const QString entry = QString::fromStdString((ec ? path : absolute).string());
  QStringList files = RecentFiles();
  files.removeAll(entry);
  files.prepend(entry);
  while (files.size() > kRecentFiles) files.removeLast();
  QSettings settings = Profile();
  settings.beginGroup(QStringLiteral("Recent File List"));
  for (int i = 1; i <= kRecentFiles; ++i) {
    if (i <= files.size())
      settings.setValue(QStringLiteral("File%1").arg(i), files[i - 1]);
    else
      settings.remove(QStringLiteral("File%1").arg(i));
  }
}
