#include "records/BookmarkClipboard.h"

#include <QtCore/QMimeData>

#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/Services.h"
#include "records/LocatorCodec.h"

namespace {

QString FormatName() { return QString::fromStdString(BookmarkClipboardFormat()); }
}  // namespace

std::string BookmarkClipboardFormat() {
  std::string name = "Kestrelon";
  if (const CoursePersonality* p = Service<CoursePersonality>()) {
    const std::string configured = p->GetString(kKeyApplication);
    if (!configured.empty()) name = CourseToUtf8(configured);
  }
  return name + " Bookmark";
}

QMimeData* BookmarkMimeData(const ActivityLocator& locator, std::string_view displayedText) {
  auto* data = new QMimeData;
  const auto flat = FlattenLocator(locator);
  data->setData(FormatName(),
                QByteArray(reinterpret_cast<const char*>(flat.data()), static_cast<qsizetype>(flat.size())));
  data->setText(QString::fromStdString(CourseToUtf8(displayedText)));
  return data;
}

bool HasBookmark(const QMimeData* data) { return data && data->hasFormat(FormatName()); }

std::optional<ActivityLocator> BookmarkFromMime(const QMimeData* data, const ContentsTable& contents) {
  if (!HasBookmark(data)) return std::nullopt;
  const QByteArray bytes = data->data(FormatName());
  return UnflattenLocator(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())),
      contents);
}
