// The main frame: the multiple-document window that holds every course window.
#pragma once

#include <QtWidgets/QMainWindow>

class QMdiArea;

class CMainFrame : public QMainWindow {
 public:
  explicit CMainFrame(QWidget* parent = nullptr);

  QMdiArea* mdiArea() const { return m_mdi; }

 private:
  QMdiArea* m_mdi = nullptr;
};
