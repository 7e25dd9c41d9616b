#include "exercises/QuizBox.h"

#include <algorithm>
#include <set>

#include "exercises/ExerciseFile.h"

namespace {

using exercise::kItemClose;
using exercise::kItemOpen;
using exercise::kLineBreak;

// The walk over a text that pairs the item marks; calls plain(begin, end) for text
// outside items and item(begin, end) for the bytes between a pair of marks.
template <typename Plain, typename Item, typename Report>
void WalkItems(std::string_view text, Plain plain, Item item, Report report) {
  bool open = false;
  std::size_t start = 0;  // of the pending plain run, or of the open item's text
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == kItemOpen) {
      if (open) report("an item opens inside another one: the first is shown as plain text");
      plain(start, i);
      open = true;
      start = i + 1;
    } else if (c == kItemClose) {
      if (open) {
        item(start, i);
      } else {
        report("an item is closed that was not opened: the mark is not shown");
        plain(start, i);
      }
      open = false;
      start = i + 1;
    }
  }
  if (open) report("an item is not closed: it is shown as plain text");
  plain(start, text.size());
}

}  // namespace

std::vector<std::string> ItemsOf(std::string_view text) {
  std::vector<std::string> items;
  WalkItems(
      text, [](std::size_t, std::size_t) {},
      [&](std::size_t b, std::size_t e) { items.emplace_back(text.substr(b, e - b)); }, [](const char*) {});
  return items;
}

void QuizBox::Parse(std::string_view text, Role role) {
  m_text.assign(text.substr(0, kMaxText));
  m_pieces.clear();
  m_slots.clear();
  m_items.clear();
  m_problems.clear();
  if (text.size() > kMaxText)
    m_problems.push_back("the text is " + std::to_string(text.size()) + " bytes: the box shows the first 1535");

  auto plain = [this](std::size_t begin, std::size_t end) {
    std::size_t run = begin;
    auto flush = [&](std::size_t at) {
      if (at > run) m_pieces.push_back({QuizPiece::kText, std::uint32_t(run), std::uint32_t(at), -1});
    };
    for (std::size_t i = begin; i < end; ++i) {
      const auto c = static_cast<unsigned char>(m_text[i]);
      QuizPiece::Kind kind;
      if (c == ' ')
        kind = QuizPiece::kSpace;
      else if (c == '\t')
        kind = QuizPiece::kTab;
      else if (c == kLineBreak)
        kind = QuizPiece::kBreak;
      else
        continue;
      flush(i);
      m_pieces.push_back({kind, std::uint32_t(i), std::uint32_t(i + 1), -1});
      run = i + 1;
    }
    flush(end);
  };
  bool overflowReported = false;
  auto item = [&](std::size_t begin, std::size_t end) {
    std::string itemText = m_text.substr(begin, end - begin);
    if (m_slots.size() >= kMaxSlots) {
      if (!overflowReported)
        m_problems.push_back("more than 40 items: the items after the 40th are shown as plain text");
      overflowReported = true;
      plain(begin, end);
      return;
    }
    if (itemText.size() > kMaxSlotText)
      m_problems.push_back("the item \"" + itemText + "\" is longer than 55 characters");
    const int slot = static_cast<int>(m_slots.size());
    m_pieces.push_back({QuizPiece::kItem, std::uint32_t(begin), std::uint32_t(end), slot});
    QuizSlot s;
    s.text = role == Role::Fill ? std::string(kUnanswered) : itemText;
    s.flag = role == Role::Fill;
    m_slots.push_back(std::move(s));
    m_items.push_back(std::move(itemText));
  };
  WalkItems(m_text, plain, item, [this](const char* why) { m_problems.emplace_back(why); });
}

int QuizBox::SlotAt(const QPoint& point) const {
  for (std::size_t i = 0; i < m_slots.size(); ++i)
    if (!m_slots[i].rect.isEmpty() && m_slots[i].rect.contains(point)) return static_cast<int>(i);
  return -1;
}

std::string GenerateChoices(std::string_view fill, std::string_view extra, bool also) {
  // Answers first: when the limits bite, the extra choices give way, never an answer.
  std::set<std::string> chosen;
  std::size_t bytes = 0;
  auto add = [&](const std::string& item) {
    if (chosen.count(item) || chosen.size() >= QuizBox::kMaxSlots) return;
    const std::size_t cost = item.size() + 3;  // the two marks and the TAB
    if (bytes + cost > QuizBox::kMaxText) return;
    chosen.insert(item);
    bytes += cost;
  };
  const auto answers = ItemsOf(fill);
  for (std::size_t i = 0; i < answers.size() && i < QuizBox::kMaxSlots; ++i) add(answers[i]);
  if (also)
    for (const std::string& item : ItemsOf(extra)) add(item);
  std::string out;
  out.reserve(bytes);
  for (const std::string& item : chosen) {  // std::set orders by byte value
    out += static_cast<char>(kItemOpen);
    out += item;
    out += static_cast<char>(kItemClose);
    out += '\t';
  }
  return out;
}
