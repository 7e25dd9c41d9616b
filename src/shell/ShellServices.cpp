#include "shell/ShellServices.h"

#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>

#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "hypertext/Picture.h"
#include "records/StudentRecord.h"
#include "shell/ViewRules.h"

QString ApplicationName() {
  return QString::fromStdString(CourseToUtf8(PersonalityString(kKeyApplication)));
}

QString LearnerName() {
  if (const StudentRecord* record = Service<StudentRecord>()) return QString::fromStdString(CourseToUtf8(record->name()));
  return {};
}

int ChangeFontSize(int notches) {
  Preferences* prefs = Service<Preferences>();
  if (!prefs) return Preferences::kDefaultFontSize;
  const int size = WheelFontSize(prefs->fontSize, notches);
  if (size == prefs->fontSize) return size;
  const Preferences previous = *prefs;
  prefs->fontSize = static_cast<std::uint8_t>(size);
  prefs->SetChanged();
  NotifyPreferencesChanged(previous);
  return size;
}

QPrinter& ProgramPrinter() {
  static QPrinter* printer = [] {
    auto* p = new QPrinter(QPrinter::HighResolution);
    // Deleted with the application object: printers must not outlive it.
    QObject::connect(qApp, &QObject::destroyed, [p] { delete p; });
    return p;
  }();
  return *printer;
}

QImage PersonalityPicture(const char* name) {
  const CoursePersonality* personality = Service<CoursePersonality>();
  if (!personality) return {};
  const auto bytes = personality->ReadEntry(0, name);
  if (!bytes) return {};
  Picture picture;
  if (!picture.LoadFromMemory(*bytes) || picture.Size().isEmpty()) return {};
  QImage image(picture.Size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  picture.Draw(painter, image.rect());
  return image;
}
