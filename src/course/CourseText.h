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

// Texts of expositions and exercises are typed on another desktop and carry 28 of its
// Mac OS Roman bytes. The display form replaces them: ten by Windows-1252 characters
// (pilcrow -> line feed, curly quotes -> straight, dashes -> '-', and the three signs
// both sets share), eighteen by Symbol-font bytes (summation, micro, Greek letters,
// math signs). Every other byte stays. symbolFace, when given, receives whether any
// Symbol replacement was made: such a text is drawn wholly in the Symbol face.
std::string MacRomanDisplayText(std::string_view bytes, bool* symbolFace = nullptr);
