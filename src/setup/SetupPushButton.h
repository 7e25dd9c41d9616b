// A launcher push button: its label centred both ways and wrapped to the button's
// width, with explicit line breaks kept.
#pragma once

#include <QtWidgets/QPushButton>

class CSetupPushButton : public QPushButton {
 public:
  CSetupPushButton(const QString& label, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
