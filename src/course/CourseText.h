// Course text is 8-bit: Windows-1252, with some texts in the Mac OS Roman character
// set and Symbol-font runs. Bytes stay bytes in the logic; these functions convert
// them to Unicode only where a text is drawn or shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class CourseEncoding { Windows1252, MacRoman, Symbol };

// The Unicode character of one byte. Undefined Symbol positions give U+FFFD.
char32_t CourseCharToUnicode(std::uint8_t byte, CourseEncoding encoding = CourseEncoding::Windows1252);

// UTF-8 of a run of course bytes.
std::string CourseToUtf8(std::string_view bytes, CourseEncoding encoding = CourseEncoding::Windows1252);

// The Windows-1252 byte of a character, or none (returns false).
bool UnicodeToWindows1252(char32_t c, std::uint8_t& out);

// UTF-8 text (the program's own strings, names typed by the learner) to course bytes;
// characters Windows-1252 lacks become '?'.
std::string Utf8ToCourse(std::string_view utf8);

// Appends the UTF-8 form of c.
void AppendUtf8(std::string& out, char32_t c);

// Decodes one UTF-8 character at text[pos], advancing pos; malformed input gives U+FFFD
// and advances by one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);
bool IsValidUtf8(std::string_view text);
