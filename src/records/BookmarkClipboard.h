// The bookmark as clipboard and drag data: the flat locator under the format named after
// the application ("Kestrelon Bookmark" by default), with the displayed text as plain
// text beside it. Another copy of the program reads the flat form; other programs the text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "course/ActivityLocator.h"

class ContentsTable;
class QMimeData;

// The personality's "Application" name followed by " Bookmark".
std::string BookmarkClipboardFormat();

// A new QMimeData (the caller owns it) holding the flat locator and displayedText (course
// bytes, offered as UTF-8 plain text).
QMimeData* BookmarkMimeData(const ActivityLocator& locator, std::string_view displayedText);
bool HasBookmark(const QMimeData* data);
// The locator in data when it is accepted (see UnflattenLocator); none otherwise.
std::optional<ActivityLocator> BookmarkFromMime(const QMimeData* data, const ContentsTable& contents);
