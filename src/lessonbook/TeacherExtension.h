// A teacher's addendum to a page: the file "page<n>.ext" in the lesson's folder of the
// teacher folder (n: the page number from 1). It is read as lines (CR or LF end a line;
// bytes below 32 are dropped): "title:" (any case) sets the heading, "file:" names a file
// of the same folder that the addendum opens, every other line is the addendum's text.
// A picture "page<n>.bmp" beside it is the addendum's icon (built-in picture 1028 when it
// is missing or does not load).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

struct TeacherExtension {
  static constexpr std::size_t kMaxFileSize = 2559;  // bytes; a longer file is ignored
  static constexpr std::size_t kMaxTitle = 100;      // characters of a "title:" line

  std::string heading = "<B>Professor's Addendum</B>";  // markup
  std::string file;  // the "file:" line's name; empty when there is none
  std::string text;  // markup: the other lines, separated by blanks
};

// None when the file is too long or holds no text.
std::optional<TeacherExtension> ParseTeacherExtension(std::span<const std::uint8_t> bytes);

// "page2.ext" for page index 1; "page2.bmp" for the picture.
std::string TeacherExtensionName(int pageIndex);
std::string TeacherPictureName(std::string_view extensionName);
