// The "Program Notice" dialog every message of the program is shown in: an exclamation
// beep, then a modal box with the text and "OK". InstallNoticeDialogs routes the
// program's notices (course/Notice.h) here.
#pragma once

#include <QtWidgets/QDialog>

class QLabel;

class CNoticeDlg : public QDialog {
 public:
  // title: empty for "Program Notice".
  CNoticeDlg(const QString& text, const QString& title, QWidget* parent = nullptr);
  QLabel* textField() const { return m_text; }

 private:
  QLabel* m_text;
};

// Installs the handler: notices beep and show CNoticeDlg over the active window; plain
// messages show a plain message box without a title.
void InstallNoticeDialogs();
