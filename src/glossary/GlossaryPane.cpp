#include "glossary/GlossaryPane.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <algorithm>
#include <QtGui/QPainter>

#include "course/CourseText.h"
#include "course/ResourceIds.h"
#include "hypertext/HyperServices.h"
#include "hypertext/Picture.h"
#include "shell/ProgramArt.h"

CGlossaryPane::CGlossaryPane(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setBackgroundRole(QPalette::Base);
  setFocusPolicy(Qt::StrongFocus);
}

CGlossaryPane::~CGlossaryPane() = default;

void CGlossaryPane::SetStyle(const GlossaryPaneStyle& style) {
  m_style = style;
  Relayout(width());
}

void CGlossaryPane::SetText(std::string text) {
  m_text = std::move(text);
  m_picture.reset();
  m_pressed = -1;
  m_keyReference = -1;
  m_layout = LayGlossaryText(m_text, std::max(width(), 1), 0, m_style, nullptr);
  if (!m_layout.picture.empty() && loadPicture)
    m_picture = loadPicture(m_layout.picture);
  else if (!m_layout.equation.empty() && CurrentEquationRenderer())
    m_picture = CurrentEquationRenderer()(m_layout.equation, m_style.pixelSize);
  Relayout(width());
}

int CGlossaryPane::Relayout(int width) {
  m_layout = LayGlossaryText(m_text, std::max(width, 1), 0, m_style, nullptr);
  const int line = QFontMetrics(font()).height();
  m_height = m_layout.textBottom + (m_picture && m_picture->IsLoaded() ? line + m_picture->Size().height() : 0) + 4;
  updateGeometry();
  setMinimumHeight(m_height);
  update();
  return m_height;
}

QSize CGlossaryPane::sizeHint() const { return QSize(200, m_height); }

void CGlossaryPane::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  LayGlossaryText(m_text, std::max(width(), 1), 0, m_style, &p);
  if (m_picture && m_picture->IsLoaded()) {
    // Centred, one line below the text.
    const QSize size = m_picture->Size();
    const int top = m_layout.textBottom + QFontMetrics(font()).height();
    m_picture->Draw(p, QRect(QPoint((width() - size.width()) / 2, top), size));
  }
  const int framed = m_pressed >= 0 ? m_pressed : (hasFocus() ? m_keyReference : -1);
  if (framed >= 0 && framed < static_cast<int>(m_layout.references.size())) {
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(Qt::white);
    p.drawRect(m_layout.references[static_cast<std::size_t>(framed)].rect.adjusted(-1, -1, 0, 0));
  }
}

void CGlossaryPane::resizeEvent(QResizeEvent*) { Relayout(width()); }

int CGlossaryPane::ReferenceAt(QPoint p) const {
  for (std::size_t i = 0; i < m_layout.references.size(); ++i)
    if (m_layout.references[i].rect.contains(p)) return static_cast<int>(i);
  return -1;
}

void CGlossaryPane::mouseMoveEvent(QMouseEvent* event) {
  if (ReferenceAt(event->position().toPoint()) >= 0)
    setCursor(ProgramCursor(cur::kHand));
  else
    unsetCursor();
}

void CGlossaryPane::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  m_pressed = ReferenceAt(event->position().toPoint());
  update();
}

void CGlossaryPane::mouseReleaseEvent(QMouseEvent* event) {
  const int pressed = m_pressed;
  m_pressed = -1;
  update();
  if (pressed < 0 || pressed != ReferenceAt(event->position().toPoint())) return;
  // The handler may show another term, which replaces the layout this came from.
  const std::string text = m_layout.references[static_cast<std::size_t>(pressed)].text;
  if (onReference) onReference(text);
}

void CGlossaryPane::keyPressEvent(QKeyEvent* event) {
  const int count = static_cast<int>(m_layout.references.size());
  if (count == 0) return QWidget::keyPressEvent(event);
  switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
      m_keyReference = event->key() == Qt::Key_Down ? std::min(count - 1, m_keyReference + 1)
                                                    : std::max(0, m_keyReference - 1);
      setAccessibleName(QStringLiteral("Definition, cross-reference %1")
                            .arg(QString::fromStdString(
                                CourseToUtf8(m_layout.references[static_cast<std::size_t>(m_keyReference)].text))));
      update();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (m_keyReference >= 0 && m_keyReference < count && onReference) {
        const std::string text = m_layout.references[static_cast<std::size_t>(m_keyReference)].text;
        onReference(text);
      }
      return;
    default: QWidget::keyPressEvent(event);
  }
}

void CGlossaryPane::focusInEvent(QFocusEvent*) { update(); }

void CGlossaryPane::focusOutEvent(QFocusEvent*) { update(); }
