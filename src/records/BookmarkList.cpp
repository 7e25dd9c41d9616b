#include "records/BookmarkList.h"

#include <algorithm>

#include "course/AsciiCase.h"
#include "course/CommandIds.h"
#include "course/ContentsTable.h"
#include "course/CourseStream.h"

std::string StripMarkupTags(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool inTag = false;
  for (char c : text) {
    if (inTag) {
      if (c == '>') inTag = false;
    } else if (c == '<') {
      inTag = true;
    } else {
      out += c;
    }
  }
  return out;
}

std::string BookmarkText(const ActivityLocator& bookmark, const ContentsTable& contents) {
  return StripMarkupTags(bookmark.Describe(contents));
}

void AnnotateBookmark(ActivityLocator& bookmark, std::string_view text) {
  std::string plain = StripMarkupTags(text);
  if (plain.size() > CourseStream::kMaxString) plain.resize(CourseStream::kMaxString);
  if (plain.empty())
    bookmark.source.reset();
  else
    bookmark.source = std::move(plain);
}

bool CanRevert(const ActivityLocator& bookmark) {
  return bookmark.mark != 0 || (bookmark.kind == 0 && bookmark.source.has_value());
}

void RevertBookmark(ActivityLocator& bookmark) {
  bookmark.mark = 0;
  if (bookmark.kind == 0) bookmark.source.reset();
}

int IconRank(const ActivityLocator& bookmark, const ContentsTable& contents) {
  return bookmark.mark != 0 ? bookmark.mark + 20 : bookmark.Kind(contents);
}

void SortBookmarks(std::vector<ActivityLocator>& bookmarks, BookmarkOrder order, const ContentsTable& contents) {
  switch (order) {
    case BookmarkOrder::BySequence:
      std::stable_sort(bookmarks.begin(), bookmarks.end(),
                       [](const ActivityLocator& a, const ActivityLocator& b) { return std::is_lt(a <=> b); });
      break;
    case BookmarkOrder::ByName: {
      // Lower-cased displayed texts compared byte by byte (as unsigned bytes).
      std::vector<std::pair<std::string, ActivityLocator>> keyed;
      keyed.reserve(bookmarks.size());
      for (auto& b : bookmarks) keyed.emplace_back(ToAsciiLower(BookmarkText(b, contents)), std::move(b));
      std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return std::lexicographical_compare(
            a.first.begin(), a.first.end(), b.first.begin(), b.first.end(),
            [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
      });
      for (std::size_t i = 0; i < keyed.size(); ++i) bookmarks[i] = std::move(keyed[i].second);
      break;
    }
    case BookmarkOrder::ByIconType:
      std::stable_sort(bookmarks.begin(), bookmarks.end(), [&](const ActivityLocator& a, const ActivityLocator& b) {
        return IconRank(a, contents) < IconRank(b, contents);
      });
      break;
  }
}

bool BookmarkCommandEnabled(int command, const BookmarkMenuState& state,
                            const std::vector<ActivityLocator>& bookmarks) {
  const bool selected = state.selected >= 0 && state.selected < static_cast<int>(bookmarks.size());
  const ActivityLocator* row = selected ? &bookmarks[static_cast<std::size_t>(state.selected)] : nullptr;
  switch (command) {
    case cmd::kAnnotateBookmark:
    case cmd::kCustomIcon:
    case cmd::kDeleteBookmark:
    case cmd::kExecuteBookmark:
      return selected;
    case cmd::kCopyBookmark:
      return selected && state.clipboardFormat;
    case cmd::kLocateBookmark:
      return selected && row->kind == 0;
    case cmd::kPasteBookmark:
      return state.clipboardHasBookmark;
    case cmd::kRevertBookmark:
      return selected && CanRevert(*row);
    case cmd::kSortBookmarks:
      return bookmarks.size() > 1;
    case cmd::kHideBookmarks:
    case cmd::kLoadBookmarks:
    case cmd::kMergeBookmarks:
      return true;
    case cmd::kPrintBookmarks:
    case cmd::kRemoveAllBookmarks:
    case cmd::kSaveBookmarks:
      return !bookmarks.empty();
    default:
      return false;
  }
}
