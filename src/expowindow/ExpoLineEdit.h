// The edit field of an `ask` object in the program: a line edit over the exposition's
// drawing area.
#pragma once

#include <QtCore/QPointer>

#include "exposition/ExpoHost.h"

class QLineEdit;
class QWidget;

class ExpoLineEdit : public ExpoEditField {
 public:
  // The line edit is a child of area (the widget the scene is drawn in), so it moves,
  // hides and goes with it.
  explicit ExpoLineEdit(QWidget* area);
  ~ExpoLineEdit() override;

  void SetText(const QString& text, bool selectAll) override;
  QString Text() const override;
  void SetLimit(int characters) override;
  void SetGeometry(const QRect& rect) override;
  void SetFont(const QFont& font) override;
  void SetBorder(bool border) override;
  void SetVisible(bool visible) override;
  void SetFocus() override;

  QLineEdit* lineEdit() const { return m_edit; }

 private:
  // The area may go first (its children with it).
  QPointer<QLineEdit> m_edit;
};
