// "About Setup": the program icon, "Version 2.0" and an OK button.
#pragma once

#include <QtWidgets/QDialog>

class CSetupAboutBox : public QDialog {
 public:
  explicit CSetupAboutBox(QWidget* parent);
};
