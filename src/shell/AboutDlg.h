// The About dialog (command 57664): the About picture with the edition text and the
// program's version, the learner's name while a Lesson Book is open, and five buttons
// at the right: About, Support (a picture), License (a text), Credits (a text that
// scrolls up a line every half second; with Ctrl held, a picture instead) and OK.
#pragma once

#include <QtWidgets/QDialog>

class QLabel;
class QPushButton;
class QTextEdit;
class QTimer;

class CAboutDlg : public QDialog {
 public:
  enum Panel { kAbout, kSupport, kLicense, kCredits, kCreditsPicture };
  static constexpr QSize kClientSize{480, 360};
  static constexpr int kCreditsBlankLines = 14;
  static constexpr int kCreditsScrollMs = 500;

  // version: "major.minor.patch" of the program; empty: "Version".
  CAboutDlg(const QString& version, const QString& learner, QWidget* parent = nullptr);

  // Shows a panel; its button is disabled while it is shown. ctrl: Credits shows the
  // credits picture.
  void ShowPanel(Panel panel);
  Panel panel() const { return m_panel; }
  QPushButton* button(int index) const { return m_buttons[index]; }  // About .. OK
  QTextEdit* textBox() const { return m_text; }
  const QImage& panelPicture() const { return m_panelPicture; }  // Support or Credits picture
  // One step of the credits' scrolling (the timer's tick).
  void ScrollCredits();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QImage m_picture;
  QImage m_panelPicture;
  QRect m_panelPictureRect;
  QString m_flavor;
  QString m_version;
  QString m_learner;
  Panel m_panel = kAbout;
  QPushButton* m_buttons[5] = {};
  QTextEdit* m_text = nullptr;
  QTimer* m_creditsTimer = nullptr;
};

// "%d.%d.%d" of a version text "major.minor.patch..."; "Version" when it has none.
QString AboutVersionText(const QString& version);
