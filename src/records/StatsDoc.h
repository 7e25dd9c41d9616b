// The student progress document: the file behind the Lesson Book. Only one is open at a
// time; while it is, the StudentRecord service holds its learner part and the Preferences
// service the preferences it carried.
#pragma once

#include <QtCore/QObject>
#include <filesystem>

class CStatsDocTemplate;

class CStatsDoc : public QObject {
  Q_OBJECT
 public:
  explicit CStatsDoc(CStatsDocTemplate& docTemplate);
  ~CStatsDoc() override;

  // Empty for a new document that has not been saved yet.
  const std::filesystem::path& path() const { return m_path; }
  void SetPath(std::filesystem::path path) { m_path = std::move(path); }

  // Saves to the document's path (Save As when it has none). False when the save failed
  // (reported) or was cancelled; the file on disc is then as it was.
  bool Save();
  // Asks for a name (the template's filter), then saves there.
  bool SaveAs();
  bool SaveTo(const std::filesystem::path& path);

 private:
  CStatsDocTemplate& m_template;
  std::filesystem::path m_path;
};
