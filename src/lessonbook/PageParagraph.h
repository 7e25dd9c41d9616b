// The records of a Lesson Book page: one page paragraph per paragraph of the page
// file (explanations, activity entries, pictures), plus the teacher's addendum and the
// page-number line, with what the layout measured.
//
// A paragraph keeps its markup twice: text and altText as loaded (what the learner
// copies), and body/altBody, the same markup in the form the page layout reads (the
// text of "a" elements taken out, list items renamed so that the page numbers them
// itself; see PageMarkup.h), which also hold the measured lines and defined terms.
#pragma once

#include <QtCore/QRect>
#include <QtGui/QRegion>
#include <memory>
#include <string>
#include <vector>

#include "hypertext/HyperParagraph.h"

class Picture;

// A marker drawn for an asterisk note: the source it belongs to and where it is.
struct AsteriskMarker {
  int source = -1;                 // index in the asterisk source list
  QRect rect;                      // content coordinates: one line height square
  std::vector<std::string> files;  // the note files, tried in order when clicked
};

enum class PictureAlign : int { Left = 0, Centre = 1, Right = 2 };

struct PageParagraph {
  static constexpr std::size_t kMarkerLimit = 4;
  static constexpr int kBlockquoteIndent = 24;

  // ---- as loaded ----
  std::string text;     // markup (course bytes)
  std::string altText;  // shown instead of text once the activity is completed; may be empty
  std::string title;    // markup of the paragraph's "h2" element
  int activityIndex = -1;  // position among the page's activity entries; -1: not an entry
  int kind = 0;            // activity kind from the contents
  std::unique_ptr<Picture> icon;  // the activity icon; null for an entry whose picture is missing
  bool activity = false;          // an activity entry ("img" with "e")
  int minutes = 0;                // estimated time
  std::unique_ptr<Picture> picture;
  std::unique_ptr<Picture> altPicture;  // shown instead of picture once completed
  PictureAlign align = PictureAlign::Left;
  int indent = 0;  // pixels (blockquote)
  bool centred = false;
  bool rule = false;        // "hr": a rule above the paragraph
  bool large = false;       // "s": two points larger
  bool smallItalic = false; // the page-number line
  bool teacherExtension = false;

  // ---- state ----
  bool completed = false;
  bool shrunk = false;    // an entry: its explanation hidden; an explanation paragraph: hidden with its entry
  bool selected = false;

  // ---- layout (content coordinates) ----
  HyperParagraph body;     // text in layout form, its lines and terms
  HyperParagraph altBody;  // altText likewise
  HyperParagraph titleBody;
  int top = 0;
  int height = 0;
  int textOffset = 0;   // how far the title and text sit below the top of a taller icon
  QRect iconRect;       // the icon at depth 0 (without its shadow); empty when none
  QRect markRect;       // the state mark or clock
  QRect shrinkBox;      // the small icon before the title
  QRect textRect;       // the text area
  std::vector<AsteriskMarker> markers;

  bool showsAlt() const { return completed && !altText.empty(); }
  const HyperParagraph& shownBody() const { return showsAlt() ? altBody : body; }
  HyperParagraph& shownBody() { return showsAlt() ? altBody : body; }
  const Picture* shownPicture() const { return completed && altPicture ? altPicture.get() : picture.get(); }
};
