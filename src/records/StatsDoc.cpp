#include "records/StatsDoc.h"

#include <QtWidgets/QApplication>

#include "course/ContentsServices.h"
#include "records/ProgressStore.h"
#include "records/SafeSave.h"
#include "records/StatsDocTemplate.h"
#include "records/StudentRecord.h"

CStatsDoc::CStatsDoc(CStatsDocTemplate& docTemplate) : m_template(docTemplate) { MarkKept(); }

CStatsDoc::~CStatsDoc() = default;

bool CStatsDoc::Save() { return m_path.empty() ? SaveAs() : SaveTo(m_path); }

bool CStatsDoc::SaveAs() {
  if (!m_template.chooseFile) return false;
  const QString name = m_template.chooseFile(true);
  if (name.isEmpty()) return false;
  bool appended = false;
  const std::filesystem::path path =
      WithDefaultExtension(name.toStdString(), m_template.strings().filterExtension.mid(1).toStdString(), &appended);
  // The dialog asked about the name as typed; the file with the extension is another one.
  std::error_code ec;
  if (appended && std::filesystem::exists(path, ec) && m_template.confirmOverwrite &&
      !m_template.confirmOverwrite(QString::fromStdString(path.string())))
    return false;
  return SaveTo(path);
}

bool CStatsDoc::SaveTo(const std::filesystem::path& path) {
  std::vector<WindowRecord> windows;
  if (m_template.windows) windows = m_template.windows->CollectWindows();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const SaveResult result = SaveProgressPath(path, m_template.record(), m_template.preferences(), windows);
  QApplication::restoreOverrideCursor();
  if (!result.ok) return false;
  m_path = path;
  MarkKept();
  m_template.AddRecentFile(path);
  return true;
}

bool CStatsDoc::IsModified() const { return m_template.record().changes() != m_keptChanges; }

void CStatsDoc::MarkKept() { m_keptChanges = m_template.record().changes(); }
