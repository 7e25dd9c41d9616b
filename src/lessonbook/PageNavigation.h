// Turning pages by command: where First Page, Next Page, Next Lesson, Previous Lesson and
// Previous Page lead from a page, when they are enabled, and the page a Go To entry names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "course/ActivityLocator.h"
#include "course/CommandIds.h"

class ContentsTable;

// Whether a navigation command (cmd::kFirstPage, cmd::kNextPage to cmd::kPreviousPage) is
// enabled at page current.
bool NavigationEnabled(int command, const ActivityLocator& current, const ContentsTable& contents);

// The page a navigation command leads to from current (activity -1); none when it leads
// nowhere valid or to the page already shown.
std::optional<ActivityLocator> NavigationTarget(int command, const ActivityLocator& current,
                                                const ContentsTable& contents);

// The page a Go To entry names: leading digits are the lesson number (counted from the
// lesson base), then after any other characters the next digits are the page number
// (from 1; the first page when there are none). None when the text is empty, does not
// begin with a digit, or names no page of the course.
std::optional<ActivityLocator> ParseGoToText(std::string_view text, const ContentsTable& contents);

// "%d-%d": the page as the learner reads its number (lesson from the lesson base, page from 1).
std::string PageNumberText(const ActivityLocator& page, const ContentsTable& contents);
