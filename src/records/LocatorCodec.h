// The two byte forms of an activity locator.
//
// Stream form (bookmark files, progress files): lesson, page, activity (signed bytes),
// mark, kind (bytes), then the file and the source as course-stream strings (a length
// byte and that many bytes; length 0 = absent).
//
// Flat form (clipboard and drag data): the same bytes, read from a block of memory that
// another copy of the program may have written. A flat locator is accepted only when it
// names a file or the contents confirm that its lesson, page and activity exist.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "course/ActivityLocator.h"

class CourseStream;
class ContentsTable;

void WriteLocator(CourseStream& stream, const ActivityLocator& locator);
// Throws CourseStreamEnd when the data ends inside the locator.
ActivityLocator ReadLocator(CourseStream& stream);

// The smallest locator: five bytes and two empty strings.
inline constexpr std::size_t kMinLocatorBytes = 7;
// The largest: five bytes and two strings of 255 bytes.
inline constexpr std::size_t kMaxLocatorBytes = 5 + 2 * 256;

std::vector<std::uint8_t> FlattenLocator(const ActivityLocator& locator);
// None when the bytes end inside the locator or the locator is not accepted. Bytes after
// the locator are ignored: clipboard blocks may be rounded up in size by their writer.
std::optional<ActivityLocator> UnflattenLocator(std::span<const std::uint8_t> bytes, const ContentsTable& contents);

// Whether lesson, page and activity name something the contents hold: a lesson
// (page -1), a page (activity -1) or an activity on it.
bool LocatorExists(const ActivityLocator& locator, const ContentsTable& contents);
// Whether (lesson, page, activity) is an activity of the contents (not a page or lesson).
bool ActivityExists(int lesson, int page, int activity, const ContentsTable& contents);
