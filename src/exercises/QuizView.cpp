#include "exercises/QuizView.h"

#include <QtCore/QMetaObject>
#include <QtGui/QAccessible>
#include <QtGui/QClipboard>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>
#include <array>

#include "audio/SoundOutput.h"
#include "audio/SoundService.h"
#include "course/CommandIds.h"
#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "exercises/QuizControls.h"
#include "exercises/QuizSession.h"
#include "launch/SoundWait.h"
#include "shell/ProgramArt.h"
#include "stats/Random.h"

namespace {

// The controls' places in the view (left, top, right, bottom as the window was laid out).
QRect Place(int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r - 1, b - 1)); }

struct ButtonRow {
  int command;
  const char* text;
  int tip;
  QRect place;
};
const std::array<ButtonRow, 4> kButtons = {{
    {cmd::kQuizHint, "Hint", str::kTipQuizHint, Place(356, 308, 416, 328)},
    {cmd::kQuizCheck, "Check", str::kTipQuizCheck, Place(356, 336, 416, 356)},
    {cmd::kQuizBack, "Back", str::kTipQuizBack, Place(356, 364, 416, 384)},
    {cmd::kQuizNext, "Next", str::kTipQuizNext, Place(356, 392, 416, 412)},
}};

constexpr std::array<int, 11> kPraise = {snd::kPraise1, snd::kPraise2, snd::kPraise3, snd::kPraise4,
                                         snd::kPraise5, snd::kPraise6, snd::kRight,   snd::kPraise7,
                                         snd::kPraise8, snd::kPraise9, snd::kPraise10};

// Drawn over the controls: the outline of the answer being dragged and the wrong answers
// falling, both inverted so that they show on any colour.
class CQuizLayer : public QWidget {
 public:
  explicit CQuizLayer(const CQuizView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    if (const QRect drag = m_view.dragRect(); !drag.isEmpty()) {
      p.setPen(Qt::white);
      p.drawRect(drag.adjusted(0, 0, -1, -1));
    }
    for (const QRect& r : m_view.fallingRects()) p.fillRect(r, Qt::white);
  }

 private:
  const CQuizView& m_view;
};

}  // namespace

CQuizView::CQuizView(QuizSession& session, QWidget* parent) : CCoreView(parent), m_session(session) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFocusPolicy(Qt::NoFocus);
  QPalette pal = viewport()->palette();
  pal.setColor(QPalette::Base, kQuizBackground);
  pal.setColor(QPalette::Window, kQuizBackground);
  viewport()->setPalette(pal);
  setFixedSize(kClientSize);
  SetContentSize(kClientSize);

  QWidget* host = viewport();
  m_counter = new CQuizNumber(session, host);
  m_counter->setGeometry(Place(328, -1, 398, 11));
  m_fill = new CQuizData(CQuizData::Kind::Fill, session.fill(), *this, host);
  m_fill->setGeometry(session.fillRect());
  m_choices = new CQuizData(CQuizData::Kind::Choices, session.choices(), *this, host);
  m_choices->setGeometry(session.choicesRect());
  m_picture = new CQuizPicture(session, host);
  m_picture->setGeometry(Place(4, 304, 348, 416));
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    const ButtonRow& row = kButtons[i];
    auto* b = new QPushButton(QString::fromLatin1(row.text), host);
    b->setGeometry(row.place);
    b->setToolTip(QString::fromStdString(ProgramString(row.tip)));
    b->setObjectName(QStringLiteral("Quiz") + QString::fromLatin1(row.text));
    const int id = row.command;
    connect(b, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
    m_buttons[i] = b;
  }
  setTabOrder(m_fill, m_choices);
  setTabOrder(m_choices, m_buttons[0]);
  for (std::size_t i = 1; i < kButtons.size(); ++i) setTabOrder(m_buttons[i - 1], m_buttons[i]);
  m_layer = new CQuizLayer(*this, host);
  m_layer->setGeometry(QRect(QPoint(0, 0), kClientSize));
  // The counter stands in the fill box's top edge, over it.
  m_counter->raise();
  m_layer->raise();
  setAccessibleName(QStringLiteral("Exercise"));
  UpdateButtons(false);
}

CQuizView::~CQuizView() {
  if (dragging()) QApplication::restoreOverrideCursor();
}

QPushButton* CQuizView::button(int command) const {
  for (std::size_t i = 0; i < kButtons.size(); ++i)
    if (kButtons[i].command == command) return m_buttons[i];
  return nullptr;
}

void CQuizView::ShowQuestion(int index) {
  if (falling()) FinishFall();
  if (index != m_session.current() && index >= 0 && index < m_session.count()) {
    m_session.Show(index);
    ClearUndo();
    m_fill->setGeometry(m_session.fillRect());
    m_choices->setGeometry(m_session.choicesRect());
    m_fill->SetTarget(-1);
    m_fill->SetFocusSlot(-1);
    m_choices->SetFocusSlot(-1);
    m_fill->update();
    m_choices->update();
    m_picture->update();
    m_counter->update();
  }
  UpdateButtons();
}

void CQuizView::UpdateButtons(bool moveFocus) {
  const bool allDone = m_session.AllDone();
  m_buttons[0]->setEnabled(m_session.HintEnabled());
  m_buttons[1]->setEnabled(m_session.CheckEnabled());
  m_buttons[2]->setEnabled(m_session.BackEnabled());
  m_buttons[3]->setEnabled(m_session.NextEnabled() || allDone);
  m_buttons[3]->setText(allDone ? QStringLiteral("Close") : QStringLiteral("Next"));
  if (allDone && m_completed) m_completed();
  if (moveFocus && m_buttons[3]->isEnabled()) m_buttons[3]->setFocus();
}

// ---- the drag ----

bool CQuizView::CanPickUp(const CQuizData& box, int slot) const {
  const ExerciseQuestion* q = m_session.currentQuestion();
  const auto& list = box.box().slotList();
  return q && !q->done && !falling() && slot >= 0 && slot < static_cast<int>(list.size()) &&
         list[static_cast<std::size_t>(slot)].text != kUnanswered;
}

QRect CQuizView::dragRect() const { return dragging() ? m_dragOffset.translated(m_dragPointer) : QRect(); }

void CQuizView::BeginDrag(CQuizData& box, int slot, const QPoint& global) {
  if (!CanPickUp(box, slot)) return;
  const QuizSlot& s = box.box().slotList()[static_cast<std::size_t>(slot)];
  m_dragText = s.text;
  m_dragSlot = slot;
  m_dragPointer = viewport()->mapFromGlobal(global);
  m_dragOffset = QRect(box.mapTo(viewport(), s.rect.topLeft()), s.rect.size()).translated(-m_dragPointer);
  QApplication::setOverrideCursor(ProgramCursor(cur::kDrag));
  PlayProgramSound(snd::kAnswerPicked);
  m_layer->update(dragRect());
}

void CQuizView::DragTo(const QPoint& global) {
  if (!dragging()) return;
  const QRect before = dragRect();
  m_dragPointer = viewport()->mapFromGlobal(global);
  m_fill->SetTarget(m_fill->box().SlotAt(m_fill->mapFromGlobal(global)));
  // Only the outline's old and new places are drawn again.
  QRegion touched;
  touched += before;
  touched += dragRect();
  m_layer->update(touched);
}

void CQuizView::EndDrag(const QPoint& global) {
  if (!dragging()) return;
  DragTo(global);
  const int target = m_fill->target();
  m_fill->SetTarget(-1);
  m_layer->update(dragRect());
  m_dragSlot = -1;
  QApplication::restoreOverrideCursor();
  if (target >= 0) PlaceAnswer(target, m_dragText, false);
}

// ---- the keyboard ----

void CQuizView::ActivateSlot(CQuizData& box) {
  if (&box == m_choices) {
    if (box.focusSlot() < 0) return;
    Announce(QStringLiteral("%1 chosen: choose a blank and press Enter")
                 .arg(QString::fromStdString(
                     ExerciseTextToUtf8(box.box().slotList()[static_cast<std::size_t>(box.focusSlot())].text))));
    m_fill->setFocus(Qt::TabFocusReason);
    m_fill->EnsureFocusSlot();
    return;
  }
  const int choice = m_choices->focusSlot();
  const ExerciseQuestion* q = m_session.currentQuestion();
  if (!q || q->done) {
    Announce(QStringLiteral("This question is done"));
    return;
  }
  if (choice < 0 || !CanPickUp(*m_choices, choice)) {
    Announce(QStringLiteral("Choose an answer in the Choices box first"));
    return;
  }
  if (box.focusSlot() < 0) return;
  PlaceAnswer(box.focusSlot(), m_choices->box().slotList()[static_cast<std::size_t>(choice)].text, true);
}

void CQuizView::Announce(const QString& text) {
  setAccessibleDescription(text);
  QAccessibleEvent event(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&event);
}

// ---- answering ----

void CQuizView::PlaceAnswer(int blank, const std::string& text, bool fromKeyboard) {
  const QuizSession::Drop drop = m_session.DropAnswer(blank, text);
  if (drop == QuizSession::Drop::Ignored) return;
  RecordUndo(cmd::kQuizDroppedAnswer, QString::fromStdString(ProgramString(str::kDroppedAnswer)));
  Announce(QStringLiteral("%1 placed in blank %2").arg(QString::fromStdString(ExerciseTextToUtf8(text))).arg(blank + 1));
  if (fromKeyboard) m_fill->SetFocusSlot(m_fill->focusSlot());  // the blank announces its new text
  if (drop == QuizSession::Drop::AllFilled) {
    CheckFilledBlanks();
  } else {
    m_fill->update();
    PlayProgramSound(snd::kAnswerDropped);
  }
  UpdateButtons(!fromKeyboard || m_session.currentQuestion()->done);
}

// Every blank holds an answer: shown at once, the sound heard to its end (within the
// launcher's bound: a sound device that never reports the end cannot hang the window),
// then checked.
void CQuizView::CheckFilledBlanks() {
  m_fill->repaint();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PlayProgramSound(snd::kBlanksFilled);
  WaitForSoundToEnd(SoundOutputWaitHooks(Service<SoundOutput>()));
  QApplication::restoreOverrideCursor();

  const QuizSession::Checked checked = m_session.AutoCheck();
  if (!checked.allRight) {
    PlayProgramSound(snd::kAnswersWrong);
    Announce(QStringLiteral("%1 of %2 answers wrong")
                 .arg(checked.wrong.size())
                 .arg(m_session.fill().slotList().size()));
    StartFall(checked.wrong);
    return;
  }
  PlayProgramSound(kPraise[static_cast<std::size_t>(RandomDraw() % static_cast<int>(kPraise.size()))]);
  ClearUndo();
  Announce(m_session.AllDone() ? QStringLiteral("Right! Every question is done")
                               : QStringLiteral("Right! The question is done"));
  m_fill->update();
}

void CQuizView::StartFall(const std::vector<int>& wrong) {
  m_fallRects.clear();
  for (int blank : wrong) {
    const QRect r = m_session.fill().slotList()[static_cast<std::size_t>(blank)].rect;
    if (!r.isEmpty()) m_fallRects.push_back(QRect(m_fill->mapTo(viewport(), r.topLeft()), r.size()));
  }
  m_stillFalling.assign(m_fallRects.size(), true);
  m_fallSteps = 0;
  if (m_fallRects.empty()) {
    EndFall();
    return;
  }
  for (const QRect& r : m_fallRects) m_layer->update(r);
  m_fallTimer.start(kFallStepMs, this);
}

void CQuizView::FallStep() {
  const int bottom = m_fill->geometry().bottom();
  bool any = false;
  QRegion touched;
  for (std::size_t i = 0; i < m_fallRects.size(); ++i) {
    if (!m_stillFalling[i]) continue;
    touched += m_fallRects[i];
    m_fallRects[i].translate(0, 1);
    touched += m_fallRects[i];
    m_stillFalling[i] = m_fallRects[i].top() <= bottom;
    any = any || m_stillFalling[i];
  }
  m_layer->update(touched);
  if (!any || ++m_fallSteps >= m_fill->height()) EndFall();
}

void CQuizView::FinishFall() {
  while (falling()) FallStep();
}

void CQuizView::EndFall() {
  m_fallTimer.stop();
  QRegion touched;
  for (const QRect& r : m_fallRects) touched += r;
  m_fallRects.clear();
  m_stillFalling.clear();
  m_layer->update(touched);
  m_fill->update();
}

void CQuizView::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_fallTimer.timerId())
    FallStep();
  else
    CCoreView::timerEvent(event);
}

// ---- commands ----

bool CQuizView::UpdateCommand(int id, CommandState& state) {
  switch (id) {
    case cmd::kQuizHint:
      state.enabled = m_session.HintEnabled();
      return true;
    case cmd::kQuizCheck:
      state.enabled = m_session.CheckEnabled();
      return true;
    case cmd::kQuizBack:
      state.enabled = m_session.BackEnabled();
      return true;
    case cmd::kQuizNext:
      state.enabled = m_session.NextEnabled() || m_session.AllDone();
      return true;
    case cmd::kQuizDroppedAnswer:
      state.enabled = m_session.CanUndo();
      return true;
    case cmd::kCopy:
      state.enabled = true;
      return true;
    default:
      return CCoreView::UpdateCommand(id, state);
  }
}

bool CQuizView::OnCommand(int id) {
  if (falling() && id != cmd::kClose) FinishFall();
  switch (id) {
    case cmd::kQuizHint:
      if (m_session.HintEnabled()) ShowHint();
      return true;
    case cmd::kQuizCheck: {
      if (!m_session.CheckEnabled()) return true;
      const QuizSession::Checked c = m_session.Check();
      PlayProgramSound(c.changed ? snd::kCheckChanged : snd::kCheckUnchanged);
      Announce(c.allRight ? QStringLiteral("Every answer is right")
                          : QStringLiteral("%1 answers wrong or missing").arg(c.wrong.size()));
      m_fill->update();
      UpdateButtons();
      return true;
    }
    case cmd::kQuizBack:
      if (const int target = m_session.BackTarget(); target >= 0) ShowQuestion(target);
      return true;
    case cmd::kQuizNext:
      if (m_session.AllDone()) {
        QMetaObject::invokeMethod(this, [this] { OnCommand(cmd::kClose); }, Qt::QueuedConnection);
      } else if (const int target = m_session.NextTarget(); target >= 0) {
        ShowQuestion(target);
      }
      return true;
    case cmd::kQuizDroppedAnswer:
      if (!m_session.CanUndo()) return true;
      m_session.Undo();
      m_fill->update();
      UpdateButtons();
      return true;
    case cmd::kCopy:
      QGuiApplication::clipboard()->setText(QString::fromStdString(m_session.CopyText()));
      return true;
    default:
      return CCoreView::OnCommand(id);
  }
}

void CQuizView::ShowHint() {
  const ExerciseQuestion* q = m_session.currentQuestion();
  if (!q || !q->hint) return;
  // A pointer that moves refreshes its shape before the dialog takes the mouse.
  const QPoint at = QCursor::pos();
  QCursor::setPos(at + QPoint(1, 0));
  QCursor::setPos(at);
  ShowNoticeText(ExerciseTextToUtf8(*q->hint), "Hint");
}

void CQuizView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.setTitle(QStringLiteral("Quiz Popup"));
  for (const auto& [id, text] : {std::pair{cmd::kQuizHint, "&Hint"}, std::pair{cmd::kQuizCheck, "&Check"},
                                 std::pair{cmd::kQuizBack, "&Back"}, std::pair{cmd::kQuizNext, "&Next"}}) {
    CommandState state;
    UpdateCommand(id, state);
    QAction* action = menu.addAction(QString::fromLatin1(text));
    action->setEnabled(state.enabled);
    const int command = id;
    connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
  }
  menu.exec(event->globalPos());
}
