#include "expowindow/ExpoLineEdit.h"

#include <QtWidgets/QLineEdit>
#include <algorithm>

ExpoLineEdit::ExpoLineEdit(QWidget* area) : m_edit(new QLineEdit(area)) {
  m_edit->setAccessibleName(QStringLiteral("Answer"));
  m_edit->show();
}

ExpoLineEdit::~ExpoLineEdit() { delete m_edit.data(); }

void ExpoLineEdit::SetText(const QString& text, bool selectAll) {
  if (!m_edit) return;
  m_edit->setText(text);
  if (selectAll)
    m_edit->selectAll();
  else
    m_edit->end(false);
}

QString ExpoLineEdit::Text() const { return m_edit ? m_edit->text() : QString(); }

void ExpoLineEdit::SetLimit(int characters) {
  // QLineEdit takes 1 to 32767; the field's own rules have already limited the count.
  if (m_edit) m_edit->setMaxLength(std::clamp(characters, 1, 32767));
}

void ExpoLineEdit::SetGeometry(const QRect& rect) {
  if (m_edit) m_edit->setGeometry(rect);
}

void ExpoLineEdit::SetFont(const QFont& font) {
  if (m_edit) m_edit->setFont(font);
}

void ExpoLineEdit::SetBorder(bool border) {
  if (m_edit) m_edit->setFrame(border);
}

void ExpoLineEdit::SetVisible(bool visible) {
  if (m_edit) m_edit->setVisible(visible);
}

void ExpoLineEdit::SetFocus() {
  if (m_edit) m_edit->setFocus(Qt::OtherFocusReason);
}
