#include "exercises/QuizControls.h"

#include <QtGui/QAccessible>
#include <QtGui/QFontMetrics>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <algorithm>

#include "course/ResourceIds.h"
#include "exercises/QuizSession.h"
#include "exercises/QuizView.h"
#include "hypertext/FontDescription.h"
#include "hypertext/Picture.h"
#include "shell/ProgramArt.h"

namespace {

constexpr int kCaptionLeft = 18;
constexpr int kContentInset = 10;
constexpr int kContentBottomExtra = 9;
constexpr int kTabStep = 40;
const QColor kWrongColour(204, 0, 0);
const QColor kRightColour(0, 128, 32);
const QColor kCaptionLine(128, 128, 128);

QFont Face(const char* face, int pixels, bool bold = false) {
  QFont f(SubstituteFace(face));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QFont ContentFont(bool fixed) { return fixed ? Face("Courier New", 12) : Face("Arial", 13); }

// Blanks and choices stand out: bold and underlined (underlined only in the fixed-pitch font).
QFont ItemFont(bool fixed) {
  QFont f = ContentFont(fixed);
  if (!fixed) f.setBold(true);
  f.setUnderline(true);
  return f;
}

QString Shown(std::string_view bytes) { return QString::fromStdString(ExerciseTextToUtf8(bytes)); }

void Invert(QPainter& p, const QRect& r) {
  p.save();
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.fillRect(r, Qt::white);
  p.restore();
}

// The frame with its caption standing in a notch at the top; the caption's height.
int PaintFrame(QPainter& p, const QSize& size, const QString& caption) {
  const QFont font = Face("Arial", 14, true);
  const QFontMetrics fm(font, p.device());
  const int line = fm.height();
  const int mid = line / 2;
  p.setPen(Qt::black);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(0, mid, size.width() - 1, size.height() - 1 - mid));
  const int width = fm.horizontalAdvance(caption);
  const QRect captionRect(kCaptionLeft, 0, width, line);
  p.fillRect(captionRect, kQuizBackground);
  p.setFont(font);
  p.drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter, caption);
  p.setPen(kCaptionLine);
  const int l = kCaptionLeft - 1, r = kCaptionLeft + width;
  p.drawLine(l, mid, l, 0);
  p.drawLine(l, 0, r, 0);
  p.drawLine(r, 0, r, mid);
  return line;
}

}  // namespace

void PaintQuizBox(QPainter& p, const QSize& size, const QString& caption, QuizBox& box, const QuizBoxMarks& marks) {
  p.save();
  p.fillRect(QRect(QPoint(0, 0), size), kQuizBackground);
  const int captionHeight = PaintFrame(p, size, caption);
  // The text starts below the caption, which stands taller than the inset.
  QRect content = QRect(QPoint(0, 0), size).adjusted(kContentInset, kContentInset, -kContentInset,
                                                      -kContentInset + kContentBottomExtra);
  content.setTop(std::max(content.top(), captionHeight + 1));
  p.setClipRect(content);

  const QFont normal = ContentFont(box.fixed());
  const QFont itemFont = ItemFont(box.fixed());
  const QFontMetrics nm(normal, p.device());
  const QFontMetrics im(itemFont, p.device());
  const int lineHeight = std::max(nm.lineSpacing(), im.lineSpacing());
  const int left = content.left(), right = content.right() + 1;
  int x = left, y = content.top();
  auto newLine = [&] {
    x = left;
    y += lineHeight;
  };
  for (QuizSlot& slot : box.slotList()) slot.rect = QRect();

  const std::string& text = box.text();
  const auto& pieces = box.pieces();
  auto pieceText = [&](const QuizPiece& piece) {
    if (piece.kind == QuizPiece::kItem) return Shown(box.slotList()[static_cast<std::size_t>(piece.slot)].text);
    return Shown(std::string_view(text).substr(piece.begin, piece.end - piece.begin));
  };
  for (std::size_t i = 0; i < pieces.size();) {
    const QuizPiece& piece = pieces[i];
    if (piece.kind == QuizPiece::kSpace) {
      x += nm.horizontalAdvance(QLatin1Char(' '));
      ++i;
      continue;
    }
    if (piece.kind == QuizPiece::kTab) {
      x = left + ((x - left) / kTabStep + 1) * kTabStep;
      if (x > right) newLine();
      ++i;
      continue;
    }
    if (piece.kind == QuizPiece::kBreak) {
      newLine();
      ++i;
      continue;
    }
    // A word: text and items up to the next space, tab or break, never broken.
    std::size_t end = i;
    int width = 0;
    for (; end < pieces.size() && (pieces[end].kind == QuizPiece::kText || pieces[end].kind == QuizPiece::kItem); ++end)
      width += (pieces[end].kind == QuizPiece::kItem ? im : nm).horizontalAdvance(pieceText(pieces[end]));
    if (x + width > right && x > left) newLine();
    for (; i < end; ++i) {
      const QuizPiece& part = pieces[i];
      const QString shown = pieceText(part);
      if (part.kind == QuizPiece::kText) {
        p.setFont(normal);
        p.setPen(Qt::black);
        p.drawText(x, y + nm.ascent(), shown);
        x += nm.horizontalAdvance(shown);
        continue;
      }
      QuizSlot& slot = box.slotList()[static_cast<std::size_t>(part.slot)];
      const int w = im.horizontalAdvance(shown);
      slot.rect = QRect(x, y, std::max(w, 1), lineHeight);
      p.setFont(itemFont);
      p.setPen(slot.flag ? kWrongColour : kRightColour);
      p.drawText(x, y + nm.ascent(), shown);
      if (part.slot == marks.target) Invert(p, slot.rect);
      if (part.slot == marks.focus) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(slot.rect.adjusted(-1, 0, 0, -1));
      }
      x += w;
    }
  }
  p.restore();
}

CQuizControl::CQuizControl(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kQuizBackground);
  setPalette(pal);
}

// ---- the counter ----

CQuizNumber::CQuizNumber(const QuizSession& session, QWidget* parent) : CQuizControl(parent), m_session(session) {
  setObjectName(QStringLiteral("QuizNumber"));
  setEnabled(false);
}

void CQuizNumber::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kQuizBackground);
  p.setFont(Face("Arial", 10));
  p.setPen(Qt::black);
  p.drawText(rect(), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("%1 of %2").arg(m_session.current() + 1).arg(m_session.count()));
}

// ---- the boxes ----

CQuizData::CQuizData(Kind kind, QuizBox& box, CQuizView& view, QWidget* parent)
    : CQuizControl(parent), m_kind(kind), m_box(box), m_view(view) {
  m_caption = kind == Kind::Fill ? QStringLiteral(" Fill in the Blanks ") : QStringLiteral(" Choices ");
  setObjectName(kind == Kind::Fill ? QStringLiteral("QuizFill") : QStringLiteral("QuizChoices"));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAccessibleName(m_caption.trimmed());
}

void CQuizData::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QuizBoxMarks marks = m_marks;
  marks.focus = hasFocus() ? m_focusSlot : -1;
  PaintQuizBox(p, size(), m_caption, m_box, marks);
}

void CQuizData::SetTarget(int slot) {
  if (slot == m_marks.target) return;
  const auto& list = m_box.slotList();
  auto rectOf = [&](int s) { return s >= 0 && s < int(list.size()) ? list[std::size_t(s)].rect : QRect(); };
  update(rectOf(m_marks.target));
  m_marks.target = slot;
  update(rectOf(slot));
}

QString CQuizData::SlotDescription() const {
  const QString name = m_caption.trimmed();
  const int n = static_cast<int>(m_box.slotList().size());
  if (m_focusSlot < 0 || m_focusSlot >= n) return name;
  const QString what = m_kind == Kind::Fill ? QStringLiteral("blank") : QStringLiteral("choice");
  return QStringLiteral("%1: %2 %3 of %4, %5")
      .arg(name, what)
      .arg(m_focusSlot + 1)
      .arg(n)
      .arg(Shown(m_box.slotList()[static_cast<std::size_t>(m_focusSlot)].text));
}

void CQuizData::SetFocusSlot(int slot) {
  const int n = static_cast<int>(m_box.slotList().size());
  m_focusSlot = n == 0 ? -1 : std::clamp(slot, 0, n - 1);
  update();
  setAccessibleName(SlotDescription());
  QAccessibleEvent event(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

void CQuizData::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    CQuizControl::mousePressEvent(event);
    return;
  }
  const int slot = m_box.SlotAt(event->position().toPoint());
  if (m_view.CanPickUp(*this, slot)) m_view.BeginDrag(*this, slot, event->globalPosition().toPoint());
}

void CQuizData::mouseMoveEvent(QMouseEvent* event) {
  if (m_view.dragging()) {
    m_view.DragTo(event->globalPosition().toPoint());
    return;
  }
  if (m_view.CanPickUp(*this, m_box.SlotAt(event->position().toPoint())))
    setCursor(ProgramCursor(cur::kAnswer));
  else
    unsetCursor();
}

void CQuizData::mouseReleaseEvent(QMouseEvent* event) {
  if (m_view.dragging() && event->button() == Qt::LeftButton) m_view.EndDrag(event->globalPosition().toPoint());
}

void CQuizData::keyPressEvent(QKeyEvent* event) {
  const int n = static_cast<int>(m_box.slotList().size());
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      SetFocusSlot(m_focusSlot - 1);
      return;
    case Qt::Key_Right:
    case Qt::Key_Down:
      SetFocusSlot(m_focusSlot + 1);
      return;
    case Qt::Key_Home:
      SetFocusSlot(0);
      return;
    case Qt::Key_End:
      SetFocusSlot(n - 1);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      m_view.ActivateSlot(*this);
      return;
    default:
      CQuizControl::keyPressEvent(event);
  }
}

void CQuizData::EnsureFocusSlot() {
  const auto& list = m_box.slotList();
  if (m_focusSlot >= 0 && m_focusSlot < static_cast<int>(list.size())) return;
  const auto open = std::find_if(list.begin(), list.end(), [](const QuizSlot& s) { return s.flag; });
  SetFocusSlot(m_kind == Kind::Fill && open != list.end() ? static_cast<int>(open - list.begin()) : 0);
}

void CQuizData::focusInEvent(QFocusEvent* event) {
  CQuizControl::focusInEvent(event);
  if (m_focusSlot >= 0 && m_focusSlot < static_cast<int>(m_box.slotList().size()))
    SetFocusSlot(m_focusSlot);  // announced again on arrival
  else
    EnsureFocusSlot();
}

void CQuizData::focusOutEvent(QFocusEvent* event) {
  CQuizControl::focusOutEvent(event);
  update();
}

// ---- the picture ----

CQuizPicture::CQuizPicture(const QuizSession& session, QWidget* parent) : CQuizControl(parent), m_session(session) {
  setObjectName(QStringLiteral("QuizPicture"));
  setEnabled(false);
}

QRect CQuizPicture::PictureRect(const QSize& picture, const QSize& box) {
  if (picture.isEmpty() || box.isEmpty()) return {};
  const double s = std::min({1.0, double(box.width()) / picture.width(), double(box.height()) / picture.height()});
  const QSize shown = s >= 1.0 ? picture : QSize(int(picture.width() * s), int(picture.height() * s));
  return QRect(QPoint((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2), shown);
}

void CQuizPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kQuizBackground);
  const ExerciseQuestion* q = m_session.currentQuestion();
  if (!q || !q->picture || !q->picture->IsLoaded()) return;
  q->picture->Draw(p, PictureRect(q->picture->Size(), size()));
}
