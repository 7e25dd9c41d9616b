// Reading a Lesson Book page file: a resource container whose text section is course
// markup and whose picture entries are the page's icons and illustrations. The markup
// (tokenized in pass-through mode) becomes page paragraphs:
//   - text goes to a paragraph buffer of 2560 bytes, word by word while it fits;
//     text inside "title" and other "t" elements and inside headings is not kept;
//     a line end in the source separates words;
//   - "h2" gives the paragraph's title; "hr" rules it; "s" makes it large; "c" centres
//     the pending picture, or the paragraph when no picture is pending; "blockquote"
//     indents it by 24 pixels;
//   - "img" (any "i" tag with a longer name) takes its attributes by first letter:
//     "s" the picture of that name, "a" its alignment, "e" makes the paragraph an
//     activity entry whose icon is the pending picture, "h" starts the entry shrunk,
//     "t" its estimated minutes;
//   - "a", "b", "d", "f", "i", "j", "l", "o", "u" are written again with their full
//     attribute names; "m" elements are equations;
//   - "!" directives: an "r" attribute writes the expansion of its value, a "t"
//     attribute names the page's first (then second) tool;
//   - "p" closes the paragraph; an activity entry takes the next activity index.
//     "p" followed by a non-zero number ("p1") closes a text that takes the place of
//     the previous paragraph's text (and picture, when it has one) once that
//     paragraph's activity is completed.
// Text after the last "p" still makes a paragraph.
//
// An "img" with "e" makes an activity entry even when its picture is missing from the
// container, so that the entries after it keep the activity indexes of the contents.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lessonbook/PageParagraph.h"

class ContainerDirectory;
class Picture;

struct PageLoadLinks {
  // Placeholder expansion of "r" directives ("application", an activity identifier, ...).
  std::function<std::string(std::string_view name)> expandName;
  // The equation renderer: one "math" element's markup at a font size in points; null
  // when it cannot. Without one the element's text stands in the line.
  std::function<std::unique_ptr<Picture>(std::string_view markup, int fontSize)> renderEquation;
};

struct PageContent {
  static constexpr std::size_t kBufferLimit = 2560;

  std::vector<PageParagraph> paragraphs;
  int tool1 = 0;  // indexes into the tool list (PageTools.h); 0: none
  int tool2 = 0;
  int activityCount = 0;  // activity entries of the page itself
  bool sizeDependentPictures = false;  // an equation picture was made at the font size
};

// text: the markup; directory and file: the container the pictures come from (null and
// empty: no pictures). fontSize: points, for equations.
PageContent ParsePageMarkup(std::string_view text, const ContainerDirectory* directory,
                            std::span<const std::uint8_t> file, const PageLoadLinks& links, int fontSize);

// A whole page file. Throws CourseFileError (Format) when the container is damaged.
PageContent ParsePageFile(std::span<const std::uint8_t> bytes, const PageLoadLinks& links, int fontSize,
                          const std::string& label = {});

// Fills the layout forms (body, altBody, titleBody) from the markup of p, and its
// centring; the loader calls it for every paragraph it makes.
void PrepareLayoutForms(PageParagraph& p);
