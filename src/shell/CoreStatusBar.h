// The main frame's status bar (59393): a message pane ("Ready", or the prompt of the menu
// item under the pointer) and the Caps Lock, Num Lock and Scroll Lock indicators, lit
// while their key is on.
#pragma once

#include <QtWidgets/QStatusBar>

class QLabel;

class CCoreStatusBar : public QStatusBar {
 public:
  explicit CCoreStatusBar(QWidget* parent = nullptr);

  // Reads the lock keys again and updates the indicators.
  void RefreshIndicators();
  QLabel* indicator(int index) const { return m_indicators[index]; }  // 0 caps, 1 num, 2 scroll

 protected:
  bool event(QEvent* event) override;

 private:
  QLabel* m_ready = nullptr;
  QLabel* m_indicators[3] = {};
};
