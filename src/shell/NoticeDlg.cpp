#include "shell/NoticeDlg.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>

#include "course/Notice.h"
#include "shell/MainFrame.h"

CNoticeDlg::CNoticeDlg(const QString& text, const QString& title, QWidget* parent) : QDialog(parent) {
  setWindowTitle(title.isEmpty() ? tr("Program Notice") : title);
  setModal(true);
  auto* icon = new QLabel(this);
  const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(side, side));
  icon->setAlignment(Qt::AlignTop);
  m_text = new QLabel(text, this);
  m_text->setObjectName(QStringLiteral("NoticeText"));
  m_text->setWordWrap(true);
  m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_text->setMinimumWidth(320);
  m_text->setMaximumWidth(520);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addSpacing(8);
  row->addWidget(m_text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

namespace {

QWidget* NoticeParent() {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  if (QWidget* w = QApplication::activeWindow()) return w;
  return CMainFrame::Instance();
}

}  // namespace

void InstallNoticeDialogs() {
  SetNoticeHandler([](const NoticeRequest& request) {
    const QString text = QString::fromStdString(request.text);
    if (request.kind == NoticeRequest::Kind::PlainMessage) {
      QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, NoticeParent());
      box.exec();
      return;
    }
    QApplication::beep();
    CNoticeDlg dialog(text, QString::fromStdString(request.title), NoticeParent());
    dialog.exec();
  });
}
