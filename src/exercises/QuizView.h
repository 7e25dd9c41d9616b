// CQuizView: the exercise window's one view, 424 x 420 pixels: the counter, the fill box,
// the choices box, the picture box and the Hint, Check, Back and Next buttons.
//
// The learner drags a choice (or an answer already in a blank) onto a blank; without a
// mouse, the keyboard does the same: arrows move within a box, Enter in the choices box
// takes the choice to the fill box, Enter on a blank puts the choice there. Every slot
// the keyboard reaches is announced through the accessibility interface as the box's name.
// Filling the last blank checks the answers: wrong ones fall out of view and stay red,
// or the question is done with a word of praise. When every question is done the
// completion hook runs and Next reads "Close".
//
// Commands: Hint, Check, Back, Next (buttons and context menu), Undo of the last drop
// ("Dropped Answer"), Copy.
#pragma once

#include <QtCore/QBasicTimer>
#include <QtCore/QPointer>
#include <functional>
#include <string>
#include <vector>

#include "shell/CoreView.h"

class CQuizData;
class CQuizNumber;
class CQuizPicture;
class QPushButton;
class QuizSession;

class CQuizView : public CCoreView {
 public:
  static constexpr QSize kClientSize{424, 420};
  static constexpr int kFallStepMs = 6;

  explicit CQuizView(QuizSession& session, QWidget* parent = nullptr);
  ~CQuizView() override;

  // Shows question index of the session and lays the boxes out for it.
  void ShowQuestion(int index);
  // Runs whenever the buttons are updated and every question is done.
  void SetCompletionHook(std::function<void()> hook) { m_completed = std::move(hook); }

  CQuizData* fillBox() const { return m_fill; }
  CQuizData* choicesBox() const { return m_choices; }
  CQuizNumber* counter() const { return m_counter; }
  CQuizPicture* pictureBox() const { return m_picture; }
  QPushButton* button(int command) const;

  // ---- the drag (the boxes call these; global screen points) ----
  // Whether the slot of box can be picked up: the question is not done and the slot holds
  // an answer.
  bool CanPickUp(const CQuizData& box, int slot) const;
  void BeginDrag(CQuizData& box, int slot, const QPoint& global);
  void DragTo(const QPoint& global);
  void EndDrag(const QPoint& global);
  bool dragging() const { return m_dragSlot >= 0; }
  // Where the dragged outline is drawn (view client coordinates); empty when not dragging.
  QRect dragRect() const;

  // ---- the keyboard ----
  // Enter on the slot the keyboard is on in box.
  void ActivateSlot(CQuizData& box);

  // Wrong answers falling: steps run every kFallStepMs until they are out of the box.
  bool falling() const { return m_fallTimer.isActive(); }
  void FinishFall();
  const std::vector<QRect>& fallingRects() const { return m_fallRects; }

  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;

  // Enables the buttons from the session's state, names Next "Close" when all is done,
  // records completion, and (moveFocus) gives Next the focus when it is enabled.
  void UpdateButtons(bool moveFocus = true);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void PlaceAnswer(int blank, const std::string& text, bool fromKeyboard);
  void CheckFilledBlanks();
  void StartFall(const std::vector<int>& wrong);
  void FallStep();
  void EndFall();
  void ShowHint();
  void Announce(const QString& text);

  QuizSession& m_session;
  CQuizNumber* m_counter = nullptr;
  CQuizData* m_fill = nullptr;
  CQuizData* m_choices = nullptr;
  CQuizPicture* m_picture = nullptr;
  QPushButton* m_buttons[4] = {};  // Hint, Check, Back, Next
  QWidget* m_layer = nullptr;      // draws the dragged outline and the falling answers
  std::function<void()> m_completed;

  // The drag: the text carried, the slot's rectangle relative to the pointer, the pointer.
  std::string m_dragText;
  int m_dragSlot = -1;
  QRect m_dragOffset;
  QPoint m_dragPointer;  // view client coordinates

  QBasicTimer m_fallTimer;
  std::vector<QRect> m_fallRects;  // view client coordinates
  std::vector<bool> m_stillFalling;
  int m_fallSteps = 0;
};
