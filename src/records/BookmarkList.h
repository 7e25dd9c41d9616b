// What the Bookmarks bar does to the list, apart from drawing it: the displayed text of a
// bookmark, annotating and reverting, sorting, and when each command of the bar's menu
// is enabled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "course/ActivityLocator.h"
#include "course/CommandIds.h"

class ContentsTable;

inline constexpr int kCustomIconCount = 12;     // marks 1 to 12
inline constexpr int kBookmarkIconColumn = 28;  // pixels: the icon column of a row

// Course text with its markup tags ("<...>") removed.
std::string StripMarkupTags(std::string_view text);

// The source when set, otherwise the lesson, page and activity titles joined by " : ";
// markup removed.
std::string BookmarkText(const ActivityLocator& bookmark, const ContentsTable& contents);

// Sets the annotation: the text with markup removed, cut to 255 bytes; an empty text
// removes it.
void AnnotateBookmark(ActivityLocator& bookmark, std::string_view text);
// Mark 0; for an item of the contents (kind 0) the annotation is removed too.
void RevertBookmark(ActivityLocator& bookmark);
bool CanRevert(const ActivityLocator& bookmark);

enum class BookmarkOrder { BySequence, ByName, ByIconType };
// "by Icon Type" rank: the custom icon number + 20 when the mark is set, otherwise the
// activity's type code.
int IconRank(const ActivityLocator& bookmark, const ContentsTable& contents);
// Ascending; bookmarks that compare equal keep their order.
void SortBookmarks(std::vector<ActivityLocator>& bookmarks, BookmarkOrder order, const ContentsTable& contents);

// What the menu's enabling depends on.
struct BookmarkMenuState {
  int selected = -1;            // the selected row, -1 for none
  bool clipboardFormat = true;  // the bookmark clipboard format is registered
  bool clipboardHasBookmark = false;
};
bool BookmarkCommandEnabled(int command, const BookmarkMenuState& state, const std::vector<ActivityLocator>& bookmarks);
