// The four child controls of the exercise view: the question counter, the two boxes and
// the picture box. They paint what the engine holds; the boxes pass the mouse and the
// keyboard to their view, which owns the drag and the answers.
#pragma once

#include <QtGui/QColor>
#include <QtWidgets/QWidget>

class CQuizView;
class Picture;
class QuizBox;
class QuizSession;

// The exercise window's background, behind the view and every control.
inline const QColor kQuizBackground(255, 192, 224);

// A static control of the exercise view, on the background colour.
class CQuizControl : public QWidget {
 public:
  explicit CQuizControl(QWidget* parent);
};

// "1 of 2": the current question and the number of questions.
class CQuizNumber : public CQuizControl {
 public:
  CQuizNumber(const QuizSession& session, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QuizSession& m_session;
};

// How a box is marked while drawn: the drop target (inverted) and, while the box has the
// keyboard focus, the slot the keyboard is on.
struct QuizBoxMarks {
  int target = -1;
  int focus = -1;
};

// Draws box in a client area of size with its caption; each slot drawn gets its hit
// rectangle. The layout and colours of the fill and choices boxes.
void PaintQuizBox(QPainter& painter, const QSize& size, const QString& caption, QuizBox& box,
                  const QuizBoxMarks& marks);

// The fill box or the choices box.
class CQuizData : public CQuizControl {
 public:
  enum class Kind { Fill, Choices };
  CQuizData(Kind kind, QuizBox& box, CQuizView& view, QWidget* parent);

  Kind kind() const { return m_kind; }
  QuizBox& box() const { return m_box; }
  QString caption() const { return m_caption; }

  // The slot the keyboard is on (-1: none); moving it announces the slot.
  int focusSlot() const { return m_focusSlot; }
  void SetFocusSlot(int slot);
  // Puts the keyboard on a slot when it is on none: the first blank still to be answered,
  // or the first choice.
  void EnsureFocusSlot();
  void SetTarget(int slot);
  int target() const { return m_marks.target; }
  // The accessible name: the caption, and the slot the keyboard is on.
  QString SlotDescription() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  Kind m_kind;
  QuizBox& m_box;
  CQuizView& m_view;
  QString m_caption;
  QuizBoxMarks m_marks;
  int m_focusSlot = -1;
};

// The current question's picture, scaled down (never up) and centred.
class CQuizPicture : public CQuizControl {
 public:
  CQuizPicture(const QuizSession& session, QWidget* parent);

  // Where the picture of that size is drawn in a box of size box.
  static QRect PictureRect(const QSize& picture, const QSize& box);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QuizSession& m_session;
};
