// The student progress document as the application sees it, and the template that makes
// and opens it (the learner records build the real one on this base). Only one student
// progress file is open at a time.
#pragma once

#include <QtCore/QString>
#include <filesystem>
#include <memory>

struct StudentDocument {
  std::filesystem::path path;  // empty until the file is saved
  QString title;               // the file's name; the application name for a new one
};

class StudentDocTemplate {
 public:
  virtual ~StudentDocTemplate() = default;

  // A new, empty document; null (after a notice) when it cannot be made.
  virtual std::unique_ptr<StudentDocument> NewDocument();
  // Whether this template can read progress files; Open and the recent files are offered
  // only then.
  virtual bool CanOpen() const { return false; }
  // The document read from path; null (after a notice) when it cannot be read.
  virtual std::unique_ptr<StudentDocument> OpenDocument(const std::filesystem::path& path);

  // The open dialog's filter: "Student Progress File (*.kns)", the extension being the
  // personality's "Windows Suffix".
  static QString Filter();
};
