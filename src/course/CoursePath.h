// Course file names come from 8-bit course data written for a case-insensitive
// file system with "\" (and ":" in activity identifiers) as separators. This
// resolver finds the file such a name means on a case-sensitive file system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The components of a course name split at '\', '/' and ':'; empty components dropped.
std::vector<std::string> SplitCourseName(std::string_view name);

// True when the name can be resolved at all: no component is "." or "..", and no
// byte is NUL or a control character. Course names never leave their folder.
bool IsSafeCourseName(std::string_view name);

// The existing file or folder that name means under base, each component matched
// without regard to ASCII case (an exact match is preferred; among several
// case-insensitive matches the first in byte order wins). Components are tried as
// given (UTF-8) and as Windows-1252 bytes converted to UTF-8. None when a component
// is missing or the name is unsafe. An empty name resolves to base itself.
std::optional<std::filesystem::path> ResolveCoursePath(const std::filesystem::path& base, std::string_view name);
