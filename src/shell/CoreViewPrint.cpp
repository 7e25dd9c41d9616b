// Printing of course views: every page carries a header and a footer in a 14-point bold
// font (the window's title at the top; "page %d", the application name and the learner's
// name at the bottom) around the content, scaled from screen to printer pixels.
#include <QtGui/QPainter>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrintPreviewDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QMdiSubWindow>

#include "shell/CoreView.h"
#include "shell/ShellServices.h"

QString CCoreView::PrintTitle() const {
  for (QWidget* p = parentWidget(); p; p = p->parentWidget())
    if (qobject_cast<QMdiSubWindow*>(p)) return p->windowTitle();
  return window()->windowTitle();
}

int CCoreView::PrintTo(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution()).translated(
      -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
  QFont font(QStringLiteral("Liberation Sans"), 14, QFont::Bold);
  painter.setFont(font);
  const int line = painter.fontMetrics().height();
  const int header = line * 2;  // a line of text and a line of space
  const int footer = line * 2;
  const QRect contentArea(page.left(), page.top() + header, page.width(), page.height() - header - footer);
  const qreal screenDpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
  const qreal scale = printer.resolution() / screenDpi;
  const int pageHeight = std::max(1, static_cast<int>(contentArea.height() / scale));
  const int width = static_cast<int>(contentArea.width() / scale);
  const int total = std::max(0, PrintContentHeight());
  const QString title = PrintTitle();
  const QString app = ApplicationName();
  const QString user = QStringLiteral("user:  %1").arg(LearnerName());

  int pages = 0;
  int top = 0;
  do {
    if (pages > 0) printer.newPage();
    ++pages;
    int end = std::min(total, PageBreak(top, top + pageHeight));
    // A break that does not advance (or runs past the page) falls back to the page height.
    if (end <= top || end > top + pageHeight) end = std::min(total, top + pageHeight);

    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(page.left(), page.top(), page.width(), line), Qt::AlignHCenter | Qt::AlignTop, title);
    const QRect foot(page.left(), page.bottom() - line, page.width(), line);
    painter.drawText(foot, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("page %1").arg(pages));
    painter.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, app);
    painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom, user);

    if (end > top) {
      painter.save();
      painter.translate(contentArea.topLeft());
      painter.scale(scale, scale);
      painter.translate(0, -top);
      const QRect part(0, top, width, end - top);
      painter.setClipRect(part);
      PaintContent(painter, part, true);
      painter.restore();
    }
    top = end;
  } while (top < total);
  painter.end();
  return pages;
}

void CCoreView::Print(bool showDialog) {
  QPrinter& printer = ProgramPrinter();
  if (showDialog) {
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Print"));
    if (dialog.exec() != QDialog::Accepted) return;
  }
  PrintTo(printer);
}

void CCoreView::PrintPreview() {
  QPrintPreviewDialog preview(&ProgramPrinter(), this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) { PrintTo(*printer); });
  preview.exec();
}
