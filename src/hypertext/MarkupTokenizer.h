// The course markup tokenizer. Every reader of course markup (hypertext views,
// the Lesson Book, the glossary, tips, the assistant, homework lists) runs its
// text through Tokenize, which splits it into text, word boundaries, line ends
// and tags with attributes, decodes character entities, drops comments, and hands
// each event to the caller's handler.
//
// Text accumulates in the event record until the handler consumes it (sets
// textLength to 0); a handler that leaves it lets text collect across events.
//
// Limits (input beyond them is cut, never overrun): 2560 bytes of pending text, a
// tag name of 15 characters, 8 attributes per tag, attribute names of 15 and
// values of 511 characters, 4096 bytes of tag text between "<" and ">".
//
// Course bytes stay bytes (Windows-1252; Symbol-font characters inside a
// <font face="symbol"> event pair).
#pragma once

#include <string>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

class CourseFile;

struct MarkupAttribute {
  static constexpr std::size_t kNameLimit = 15;
  static constexpr std::size_t kValueLimit = 511;

  char name[kNameLimit + 1];  // lower case, trailing spaces removed
  char value[kValueLimit + 1];
  std::size_t nameLength;
  std::size_t valueLength;

  std::string_view Name() const { return {name, nameLength}; }
  std::string_view Value() const { return {value, valueLength}; }
  char Letter() const { return nameLength ? name[0] : '\0'; }
};

struct MarkupEvent {
  static constexpr std::size_t kTextLimit = 2560;
  static constexpr std::size_t kTagLimit = 15;
  static constexpr int kAttributeLimit = 8;

  // Pending text; the handler consumes it by setting textLength to 0.
  char text[kTextLimit];
  std::size_t textLength = 0;
  // Lower case, without the "/" of a closing tag. " " is a word boundary (the
  // text ends with its space), "\n" a line end in the source, and the empty
  // name with end set the end of the input.
  char tag[kTagLimit + 1] = {};
  std::size_t tagLength = 0;
  bool closing = false;
  bool end = false;
  // Where a real tag stands in the input: from its "<" to just after its ">".
  std::size_t tagBegin = 0;
  std::size_t tagEnd = 0;
  int attributeCount = 0;
  MarkupAttribute attributes[kAttributeLimit];
  void* data = nullptr;  // the caller's

  std::string_view Text() const { return {text, textLength}; }
  void ConsumeText() { textLength = 0; }
  std::string_view Tag() const { return {tag, tagLength}; }
  // First letter of the tag name; '\0' for the end.
  char Letter() const { return tagLength ? tag[0] : '\0'; }
  bool IsWordBoundary() const { return tagLength == 1 && tag[0] == ' '; }
  bool IsLineEnd() const { return tagLength == 1 && tag[0] == '\n'; }
  // A real tag: neither a word boundary, a line end nor the end.
  bool IsTag() const { return !end && !IsWordBoundary() && !IsLineEnd(); }
  // The last attribute whose name begins with letter; null when none does.
  const MarkupAttribute* LastAttribute(char letter) const;
};

using MarkupHandler = void (*)(MarkupEvent& event);

// Runs over length bytes of text (length -1: up to the NUL). passThrough is the
// hypertext first pass's mode: entities stay as written and byte 166 becomes
// "<br>" rather than a line feed. Returns the input length.
std::size_t Tokenize(const char* text, std::ptrdiff_t length, MarkupHandler handler, void* data,
                     bool passThrough = false);

// The same with any callable taking MarkupEvent&.
template <class Fn>
std::size_t Tokenize(std::string_view text, Fn&& fn, bool passThrough = false) {
  using F = std::remove_reference_t<Fn>;
  return Tokenize(
      text.data(), static_cast<std::ptrdiff_t>(text.size()),
      [](MarkupEvent& e) { (*static_cast<F*>(e.data))(e); }, const_cast<void*>(static_cast<const void*>(&fn)),
      passThrough);
}

// Reads the rest of an open file (with skipHeader the file is a resource
// container and only its text section is taken), closes the file and tokenizes
// the text without passThrough. Read and format errors close the file and
// propagate as CourseFileError.
void TokenizeFile(CourseFile& file, MarkupHandler handler, void* data, bool skipHeader);

// A tag event written back as markup: "<", "/" when closing, the tag, each attribute with
// its value in double quotes, ">". fullNames false writes each attribute by its letter.
std::string WriteMarkupTag(const MarkupEvent& e, bool fullNames = true);

template <class Fn>
void TokenizeFile(CourseFile& file, Fn&& fn, bool skipHeader) {
  using F = std::remove_reference_t<Fn>;
  TokenizeFile(
      file, [](MarkupEvent& e) { (*static_cast<F*>(e.data))(e); },
      const_cast<void*>(static_cast<const void*>(&fn)), skipHeader);
}
