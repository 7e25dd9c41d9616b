// One box of the exercise window (the fill box or the choices box) as data: its display
// text, the answer slots made from the items of that text, and the pieces the text is laid
// out in. The window draws the pieces and writes each slot's hit rectangle back.
//
// A box holds at most kMaxSlots slots and kMaxText bytes of display text. Marks that do
// not pair up are never trusted: an item opened inside another one abandons the first (its
// bytes stay plain text), an item left open at the end is plain text, a stray closing mark
// is not shown, and items beyond the slot limit are plain text. Each case is listed among
// the box's problems.
#pragma once

#include <QtCore/QRect>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kUnanswered[] = "???";

struct QuizSlot {
  std::string text;  // the answer shown: "???", a dropped answer, or a choice
  QRect rect;        // where the slot was last drawn (box client coordinates); empty before
  bool flag = false; // fill box: unanswered or wrong (drawn red)
};

// A unit of layout: a word (text and items drawn together), a space outside an item, a
// tab, or a forced line break (the pilcrow).
struct QuizPiece {
  enum Kind : std::uint8_t { kText, kItem, kSpace, kTab, kBreak };
  Kind kind = kText;
  std::uint32_t begin = 0, end = 0;  // kText: display text bytes [begin, end)
  int slot = -1;                     // kItem
};

class QuizBox {
 public:
  static constexpr std::size_t kMaxSlots = 40;
  static constexpr std::size_t kMaxText = 1535;
  static constexpr std::size_t kMaxSlotText = 55;  // what the course data keeps items within

  enum class Role { Fill, Choices };

  // Replaces the box's text and slots. Fill: every item is a blank ("???", flagged);
  // choices: every item a choice holding its text.
  void Parse(std::string_view text, Role role);

  const std::string& text() const { return m_text; }
  const std::vector<QuizPiece>& pieces() const { return m_pieces; }
  std::vector<QuizSlot>& slotList() { return m_slots; }
  const std::vector<QuizSlot>& slotList() const { return m_slots; }
  // The text written between the marks of each slot's item (the answer of a blank).
  const std::vector<std::string>& items() const { return m_items; }
  const std::vector<std::string>& problems() const { return m_problems; }

  bool fixed() const { return m_fixed; }
  void setFixed(bool fixed) { m_fixed = fixed; }

  // The slot whose hit rectangle holds point, or -1.
  int SlotAt(const QPoint& point) const;

 private:
  std::string m_text;
  std::vector<QuizPiece> m_pieces;
  std::vector<QuizSlot> m_slots;
  std::vector<std::string> m_items;
  std::vector<std::string> m_problems;
  bool m_fixed = false;
};

// The item texts of text, in order, with the same pairing rules as the box (unpaired and
// nested marks give no item).
std::vector<std::string> ItemsOf(std::string_view text);

// The generated choice list of a question: every distinct item of the fill text and (with
// also) of the extra choices, sorted by byte, each written as mark, text, mark, TAB. Kept
// within the box's limits; the fill's own answers are kept before any extra choice.
std::string GenerateChoices(std::string_view fill, std::string_view extra, bool also);
