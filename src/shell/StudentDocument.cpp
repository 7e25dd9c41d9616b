#include "shell/StudentDocument.h"

#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "shell/ShellServices.h"

namespace {
constexpr int kFailedToOpen = 61700;  // "Failed to open document."
}

std::unique_ptr<StudentDocument> StudentDocTemplate::NewDocument() {
  auto doc = std::make_unique<StudentDocument>();
  doc->title = ApplicationName();
  return doc;
}

std::unique_ptr<StudentDocument> StudentDocTemplate::OpenDocument(const std::filesystem::path&) {
  ShowNotice(kFailedToOpen);
  return nullptr;
}

QString StudentDocTemplate::Filter() {
  const QString suffix = QString::fromStdString(CourseToUtf8(PersonalityString(kKeyWindowsSuffix)));
  return QStringLiteral("Student Progress File (*.%1)").arg(suffix.isEmpty() ? QStringLiteral("kns") : suffix);
}
