// The texts of the Table of Contents rows: the label drawn for a row (a prefix joined to
// the title, markup removed) and the text copied to the clipboard (the raw title after a
// prefix, one CR LF line per row). All texts are course bytes.
#pragma once

#include "course/ActivityKind.h"

#include <string>
#include <string_view>
#include <vector>

struct ContentsRow;
class ContentsTable;

// A group's numeral by its group number (0: the first group shown): "I   " to "X   ",
// padded with spaces to four characters. Groups beyond the tenth go on in roman numerals
// ("XI  ", "XII ", ..., "XXXIX") up to 3999 and in decimal beyond; negative numbers give "".
std::string GroupNumeral(int groupNumber);

// The prefix drawn before a row's title: a group's numeral (with a blank after it when
// the numeral fills its four characters), "%2d. " with the lesson number (lessonBase +
// display position), "%c. " with the page number, and for activities two spaces, or
// nothing when the activities show their kind icons.
std::string RowPrefix(const ContentsRow& row, int lessonBase, bool tocIcons);
// The prefix of a copied row: as drawn, but lessons are numbered from 1 whatever the
// lesson base, and activities have none.
std::string RowCopyPrefix(const ContentsRow& row);

// The drawn label: prefix and title joined and stripped of markup (tags and comments
// dropped, entities decoded), at most 259 bytes.
std::string RowLabel(const ContentsRow& row, const ContentsTable& contents, int lessonBase, bool tocIcons);

// The clipboard text of rows: per row its copy prefix, its title as the contents hold it
// (markup kept), CR LF; each line at most 256 bytes with its line end.
std::string ContentsCopyText(const std::vector<ContentsRow>& rows, const ContentsTable& contents);

