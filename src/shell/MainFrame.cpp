#include "shell/MainFrame.h"

#include <QtWidgets/QMdiArea>

#include "course/ProgramResources.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
  m_mdi = new QMdiArea(this);
  m_mdi->setBackground(QColor(0x80, 0x80, 0x80));
  setCentralWidget(m_mdi);
  setWindowTitle(QString::fromStdString(ProgramString(7500)));
  resize(1024, 768);
}
