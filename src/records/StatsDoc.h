// The student progress document: the file behind the Lesson Book. Only one is open at a
// time; while it is, the StudentRecord service holds its learner part and the Preferences
// service the preferences it carried.
#pragma once

#include <QtCore/QObject>
#include <cstdint>
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

  // Whether the learner's record (name, completions, bookmarks) has changed since the
  // file was read or last saved.
  bool IsModified() const;
  // What the record holds now counts as kept (read, saved, or given up by the learner).
  void MarkKept();

 private:
  CStatsDocTemplate& m_template;
  std::filesystem::path m_path;
  std::uint64_t m_keptChanges = 0;
};
