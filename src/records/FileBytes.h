// Reading a learner's file whole, with a size limit, without following the file into
// places a plain read should not go (a FIFO would block the program for good).
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// Progress and bookmark files stay far below this (at most 999 locators of at most 517
// bytes each, twice); a larger file is not one of ours.
inline constexpr std::uint64_t kMaxBookmarkFileBytes = 4u << 20;
inline constexpr std::uint64_t kMaxProgressFileBytes = 4u << 20;

// The bytes of a regular file. Throws CourseFileError: NotFound when it does not exist,
// Access when it cannot be opened or read or is not a regular file, Format when it is
// larger than maxBytes. Opening takes a shared lock, as every reader of course files does.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes);
