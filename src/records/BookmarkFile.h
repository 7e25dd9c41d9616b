// Bookmark files (".mrk", default name "Bookmarks.mrk"): the bookmarks in list order as
// activity locators in the course stream, with no header and no count; the file ends
// after the last one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "course/ActivityLocator.h"

inline constexpr const char* kBookmarkFileName = "Bookmarks.mrk";
inline constexpr const char* kBookmarkExtension = "mrk";

std::vector<std::uint8_t> WriteBookmarkFile(const std::vector<ActivityLocator>& bookmarks);

// Reads locators one after the other until the data ends. The end of the data is the
// normal end, also inside a locator: the locators before it are kept, the cut one is not.
// At most
// StudentRecord::kMaxStoredCount locators are taken; anything after them is ignored.
std::vector<ActivityLocator> ReadBookmarkFile(std::span<const std::uint8_t> bytes, const std::string& label = {});

// The same on a file. Throws CourseFileError (NotFound or Access) when it cannot be read.
std::vector<ActivityLocator> LoadBookmarkFile(const std::filesystem::path& path);
