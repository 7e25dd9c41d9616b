// The exercise engine: the questions of one exercise and the state of the one shown, as
// the exercise window and `kncourse exercise` both drive it. No drawing, no sounds: each
// operation says what happened, and the window plays and draws it.
//
// Question states: not done -> done (every blank right after an automatic check). Showing
// a question parses its texts afresh, so answers given earlier to a question that is not
// done are cleared. An exercise without questions is never done.
#pragma once

#include <QtCore/QRect>
#include <string>
#include <string_view>
#include <vector>

#include "exercises/ExerciseFile.h"
#include "exercises/QuizBox.h"

class QuizSession {
 public:
  // The boxes as the window is created (view client coordinates).
  static constexpr QRect kFillBox{QPoint(4, 4), QPoint(415, 151)};       // 4, 4, 416, 152
  static constexpr QRect kChoicesBox{QPoint(4, 156), QPoint(415, 299)};  // 4, 156, 416, 300
  static constexpr int kCreatedFillHeight = 148;
  static constexpr int kHeightUnit = 132;   // a requested height is in these units of 148 pixels
  static constexpr int kMinBoxHeight = 32;  // neither box gets smaller than its caption and a line
  static constexpr int kBoxGap = 4;

  QuizSession();

  // Replaces the questions; no question is shown (current -1) until Show.
  void Load(ExerciseText text);
  void Clear() { Load(ExerciseText{}); }

  int count() const { return static_cast<int>(m_questions.size()); }
  int current() const { return m_current; }
  const std::vector<ExerciseQuestion>& questions() const { return m_questions; }
  const ExerciseQuestion* currentQuestion() const;
  const std::optional<std::string>& title() const { return m_title; }

  // Shows question index (nothing happens when it is already shown or out of range):
  // forgets the last drop, applies its height to the boxes, fills both boxes.
  void Show(int index);

  QuizBox& fill() { return m_fill; }
  const QuizBox& fill() const { return m_fill; }
  QuizBox& choices() { return m_choices; }
  const QuizBox& choices() const { return m_choices; }
  QRect fillRect() const { return m_fillRect; }
  QRect choicesRect() const { return m_choicesRect; }

  // ---- answering ----
  enum class Drop {
    Ignored,    // no question, the question is done, or no such blank
    Placed,     // the answer is in the blank; blanks are still unanswered
    AllFilled,  // the answer filled the last blank: AutoCheck comes next
  };
  // Puts text into blank (of the fill box), remembering the blank as it was for Undo.
  Drop DropAnswer(int blank, std::string_view text);
  // Whether a blank's answer is right: the dropped text begins with the blank's answer.
  bool IsRight(int blank) const;
  // The choice that answers blank: the one equal to its answer, else the first that begins
  // with it; -1 when no choice can.
  int AnsweringChoice(int blank) const;

  struct Checked {
    bool changed = false;      // some blank's flag changed
    bool allRight = false;
    std::vector<int> wrong;    // the wrong blanks in display order
  };
  // The Check command: every blank flagged by its answer.
  Checked Check();
  // After the last blank was filled: flags set as Check does; every blank right marks the
  // question done and forgets the last drop.
  Checked AutoCheck();

  // Undo of the last drop: swaps the blank with the copy saved before it (again: redo).
  bool CanUndo() const { return m_lastFilled >= 0; }
  void Undo();
  int lastFilled() const { return m_lastFilled; }

  // ---- navigation and the buttons ----
  bool HintEnabled() const;
  bool CheckEnabled() const;
  // Back and Next: some question other than the current one is not done.
  bool BackEnabled() const;
  bool NextEnabled() const;
  // Every question done (false without questions): Next reads Close and closes the window.
  bool AllDone() const;
  // The nearest question before (after) the current one that is not done, cyclically; -1.
  int BackTarget() const;
  int NextTarget() const;

  // What Copy puts on the clipboard (UTF-8): the fill box then the choices box, blanks with
  // their current text, pilcrows as line ends.
  std::string CopyText() const;

 private:
  Checked SetFlags();
  void ApplyHeight(std::int32_t height);

  std::vector<ExerciseQuestion> m_questions;
  std::optional<std::string> m_title;
  int m_current = -1;
  QuizBox m_fill, m_choices;
  QRect m_fillRect = kFillBox;
  QRect m_choicesRect = kChoicesBox;
  int m_lastFilled = -1;
  QuizSlot m_saved;  // the last filled blank as it was before the drop
};

// The display form of exercise text (Mac OS Roman) as UTF-8: pilcrows become line feeds,
// the characters the display conversion draws in the Symbol face their Greek letters and
// signs. symbol, when given, says whether the byte is drawn in the Symbol face.
std::string ExerciseTextToUtf8(std::string_view bytes);
char32_t ExerciseCharToUnicode(unsigned char byte, bool* symbol = nullptr);
// The Mac OS Roman bytes of UTF-8 text (answers typed on a terminal); '?' for characters
// the set lacks.
std::string Utf8ToExerciseText(std::string_view utf8);
