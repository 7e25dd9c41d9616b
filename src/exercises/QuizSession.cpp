#include "exercises/QuizSession.h"

#include <algorithm>

#include "course/CourseText.h"

QuizSession::QuizSession() = default;

void QuizSession::Load(ExerciseText text) {
  m_questions = std::move(text.questions);
  m_title = std::move(text.title);
  m_current = -1;
  m_lastFilled = -1;
  m_saved = {};
  m_fill.Parse({}, QuizBox::Role::Fill);
  m_choices.Parse({}, QuizBox::Role::Choices);
  m_fillRect = kFillBox;
  m_choicesRect = kChoicesBox;
}

const ExerciseQuestion* QuizSession::currentQuestion() const {
  if (m_current < 0 || m_current >= count()) return nullptr;
  return &m_questions[static_cast<std::size_t>(m_current)];
}

void QuizSession::ApplyHeight(std::int32_t height) {
  if (height == 0) return;
  // In 64 bits: a height near the 32-bit limit must not wrap into a small or negative box.
  const std::int64_t wanted = std::int64_t(height) * kCreatedFillHeight / kHeightUnit;
  const int most = kChoicesBox.bottom() + 1 - kFillBox.top() - kBoxGap - kMinBoxHeight;
  const int newHeight = static_cast<int>(std::clamp<std::int64_t>(wanted, kMinBoxHeight, most));
  if (newHeight == m_fillRect.height()) return;
  m_fillRect.setHeight(newHeight);
  m_choicesRect.setTop(m_fillRect.bottom() + 1 + kBoxGap);
}

void QuizSession::Show(int index) {
  if (index < 0 || index >= count() || index == m_current) return;
  m_current = index;
  m_lastFilled = -1;
  m_saved = {};
  const ExerciseQuestion& q = m_questions[static_cast<std::size_t>(index)];
  ApplyHeight(q.height);
  m_fill.Parse(q.fill, QuizBox::Role::Fill);
  m_fill.setFixed(q.fixedDest);
  m_choices.setFixed(q.fixedSource);
  if (!q.choices.empty() && !q.also)
    m_choices.Parse(q.choices, QuizBox::Role::Choices);
  else
    m_choices.Parse(GenerateChoices(q.fill, q.choices, q.also), QuizBox::Role::Choices);
}

QuizSession::Drop QuizSession::DropAnswer(int blank, std::string_view text) {
  const ExerciseQuestion* q = currentQuestion();
  auto& list = m_fill.slotList();
  if (!q || q->done || blank < 0 || blank >= static_cast<int>(list.size())) return Drop::Ignored;
  QuizSlot& slot = list[static_cast<std::size_t>(blank)];
  m_lastFilled = blank;
  m_saved = slot;
  slot.text = text;
  slot.flag = false;
  const bool allFilled = std::none_of(list.begin(), list.end(), [](const QuizSlot& s) { return s.flag; });
  return allFilled ? Drop::AllFilled : Drop::Placed;
}

bool QuizSession::IsRight(int blank) const {
  const auto& list = m_fill.slotList();
  const auto& items = m_fill.items();
  if (blank < 0 || blank >= static_cast<int>(list.size())) return false;
  const std::string& answer = items[static_cast<std::size_t>(blank)];
  // Over the answer's length: "means" passes for "mean".
  return list[static_cast<std::size_t>(blank)].text.compare(0, answer.size(), answer) == 0;
}

int QuizSession::AnsweringChoice(int blank) const {
  const auto& items = m_fill.items();
  if (blank < 0 || blank >= static_cast<int>(items.size())) return -1;
  const std::string& answer = items[static_cast<std::size_t>(blank)];
  const auto& choices = m_choices.slotList();
  int begins = -1;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].text == answer) return static_cast<int>(i);
    if (begins < 0 && choices[i].text.compare(0, answer.size(), answer) == 0) begins = static_cast<int>(i);
  }
  return begins;
}

QuizSession::Checked QuizSession::SetFlags() {
  Checked result;
  auto& list = m_fill.slotList();
  for (std::size_t i = 0; i < list.size(); ++i) {
    const bool wrong = !IsRight(static_cast<int>(i));
    if (wrong != list[i].flag) result.changed = true;
    list[i].flag = wrong;
    if (wrong) result.wrong.push_back(static_cast<int>(i));
  }
  result.allRight = result.wrong.empty();
  return result;
}

QuizSession::Checked QuizSession::Check() {
  if (!currentQuestion()) return {};
  return SetFlags();
}

QuizSession::Checked QuizSession::AutoCheck() {
  if (!currentQuestion()) return {};
  Checked result = SetFlags();
  if (result.allRight) {
    m_questions[static_cast<std::size_t>(m_current)].done = true;
    m_lastFilled = -1;
    m_saved = {};
  }
  return result;
}

void QuizSession::Undo() {
  auto& list = m_fill.slotList();
  if (m_lastFilled < 0 || m_lastFilled >= static_cast<int>(list.size())) return;
  QuizSlot& slot = list[static_cast<std::size_t>(m_lastFilled)];
  std::swap(slot.text, m_saved.text);
  std::swap(slot.flag, m_saved.flag);
}

bool QuizSession::HintEnabled() const {
  const ExerciseQuestion* q = currentQuestion();
  return q && q->hint.has_value();
}

bool QuizSession::CheckEnabled() const {
  const ExerciseQuestion* q = currentQuestion();
  if (!q || q->done) return false;
  const auto& list = m_fill.slotList();
  return std::any_of(list.begin(), list.end(), [](const QuizSlot& s) { return s.text != kUnanswered; });
}

bool QuizSession::BackEnabled() const {
  for (int i = 0; i < count(); ++i)
    if (i != m_current && !m_questions[static_cast<std::size_t>(i)].done) return true;
  return false;
}

bool QuizSession::NextEnabled() const { return BackEnabled(); }

bool QuizSession::AllDone() const {
  return !m_questions.empty() &&
         std::all_of(m_questions.begin(), m_questions.end(), [](const ExerciseQuestion& q) { return q.done; });
}

int QuizSession::BackTarget() const {
  const int n = count();
  for (int step = 1; step < n; ++step) {
    const int i = ((m_current - step) % n + n) % n;
    if (!m_questions[static_cast<std::size_t>(i)].done) return i;
  }
  return -1;
}

int QuizSession::NextTarget() const {
  const int n = count();
  for (int step = 1; step < n; ++step) {
    const int i = (m_current + step) % n;
    if (i >= 0 && !m_questions[static_cast<std::size_t>(i)].done) return i;
  }
  return -1;
}

namespace {

void AppendBox(std::string& out, const QuizBox& box) {
  const std::string& text = box.text();
  for (const QuizPiece& piece : box.pieces()) {
    switch (piece.kind) {
      case QuizPiece::kItem:
        out += ExerciseTextToUtf8(box.slotList()[static_cast<std::size_t>(piece.slot)].text);
        break;
      case QuizPiece::kBreak:
        out += "\r\n";
        break;
      default:
        out += ExerciseTextToUtf8(std::string_view(text).substr(piece.begin, piece.end - piece.begin));
        break;
    }
  }
}

}  // namespace

std::string QuizSession::CopyText() const {
  std::string out;
  AppendBox(out, m_fill);
  out += "\r\n\r\n";
  AppendBox(out, m_choices);
  out += "\r\n";
  return out;
}

char32_t ExerciseCharToUnicode(unsigned char byte, bool* symbol) {
  bool isSymbol = false;
  const char raw = static_cast<char>(byte);
  const std::string shown = MacRomanDisplayText(std::string_view(&raw, 1), &isSymbol);
  if (symbol) *symbol = isSymbol;
  const auto b = static_cast<std::uint8_t>(shown[0]);
  return CourseCharToUnicode(b, isSymbol ? CourseEncoding::Symbol : CourseEncoding::Windows1252);
}

std::string ExerciseTextToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80)
      out += c;
    else
      AppendUtf8(out, ExerciseCharToUnicode(b));
  }
  return out;
}

std::string Utf8ToExerciseText(std::string_view utf8) {
  std::string out;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t c = DecodeUtf8(utf8, pos);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    char byte = '?';
    for (int b = 0x80; b < 0x100; ++b)
      if (CourseCharToUnicode(static_cast<std::uint8_t>(b), CourseEncoding::MacRoman) == c) {
        byte = static_cast<char>(b);
        break;
      }
    out += byte;
  }
  return out;
}
