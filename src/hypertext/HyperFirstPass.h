// The first pass of a hypertext view: course markup (tokenized in pass-through
// mode) becomes a list of paragraphs of normalised inline markup, with the
// document's title, directive values, source buttons, and pictures from the
// document's own resource container.
//
// Normalised markup: "a", "b" (other than "blockquote"), "d", "f", "i" (other
// than "img"), "j" and opening "l" tags are written again as "<name" (or
// "</name"), then ' x="value"' for each attribute with the first letter x of its
// name, then ">". Entities stay as written; the layout pass decodes them.
#pragma once

#include <QtGui/QFont>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hypertext/HyperParagraph.h"

class ContainerDirectory;
class Picture;

// What the first pass asks of the rest of the program. An empty function means
// the service is not there: nothing is appended, no button is made, and "math"
// elements are shown as their text.
struct HyperSourceLinks {
  // The display name of a supplementary-text bundle ("ref" directives).
  std::function<std::string(std::string_view key)> bundleName;
  // Placeholder expansion of the other "r" directives ("application", a page identifier, ...).
  std::function<std::string(std::string_view name)> expandName;
  // Whether a source button's target exists: a file of the window's lesson
  // folder for its kind, or a folder reference ending in ":".
  std::function<bool(std::string_view target)> sourceExists;
  // The equation renderer: the markup of one "math" element (the element's own
  // tags included) at the view's font size in points; null when it cannot.
  std::function<std::unique_ptr<Picture>(std::string_view markup, int fontSize)> renderEquation;
};

struct HyperContent {
  static constexpr std::size_t kBufferLimit = 2560;  // bytes of one paragraph's markup
  static constexpr std::size_t kButtonLimit = 4;
  static constexpr int kBlockquoteIndent = 24;

  std::vector<HyperParagraph> paragraphs;
  std::string title;          // markup of the "title" element
  std::string nameDirective;  // "n" of a "!" directive
  std::string pageDirective;  // "p" of a "!" directive
  std::vector<HyperSourceButton> buttons;
  bool sizeDependentPictures = false;  // an equation picture was made at the font size
};

// text: the markup. directory and file: the resource container the text comes
// from (pictures named by "img" are its picture entries; the directory's offsets
// are checked against file), or null and empty for plain markup. buttonFont
// sizes the source buttons. fontSize: points, for equations.
HyperContent RunFirstPass(std::string_view text, const ContainerDirectory* directory,
                          std::span<const std::uint8_t> file, const HyperSourceLinks& links,
                          const QFont& buttonFont, int fontSize);

// The size a source button takes for its caption: text width + 16 by text height + 4.
QSize SourceButtonSize(const QFont& font, std::string_view caption);
