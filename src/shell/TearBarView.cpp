#include "shell/TearBarView.h"

#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>

#include "course/CommandIds.h"
#include "shell/ShellServices.h"
#include "shell/StatsDockWnd.h"
#include "shell/TearToolBar.h"

CTearBarView::CTearBarView(CTearToolBar* bar) : CCoreView(nullptr), m_bar(bar) {
  setWindowTitle(QStringLiteral("Print Window"));
  setAttribute(Qt::WA_DontShowOnScreen);
  SetContentSize(QSize(kPrintWidth, bar->ContentHeight(true)));
}

void CTearBarView::PaintContent(QPainter& painter, const QRect& rect, bool printing) {
  m_bar->PaintRows(painter, rect, rect.width(), printing);
}

int CTearBarView::PrintContentHeight() const { return m_bar->ContentHeight(true); }

int CTearBarView::PageBreak(int top, int limit) const {
  const int h = std::max(1, m_bar->RowHeight());
  return top + std::max(1, (limit - top) / h) * h;
}

QString CTearBarView::PrintTitle() const {
  if (CStatsDockWnd* dock = m_bar->dockFrame()) return dock->windowTitle();
  return windowTitle();
}

bool CTearBarView::OnCommand(int id) {
  if (id != cmd::kPrint) return CCoreView::OnCommand(id);
  QPrinter& printer = ProgramPrinter();
  QPrintDialog dialog(&printer, m_bar);
  m_pages = dialog.exec() == QDialog::Accepted ? PrintTo(printer) : 0;
  return true;
}
