#include "lessonbook/GoToDlg.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include "course/ContentsServices.h"
#include "course/ProgramResources.h"
#include "course/StringIds.h"
#include "lessonbook/PageNavigation.h"
#include "lessonbook/PageWnd.h"

namespace {
QString Text(int id) { return QString::fromStdString(ProgramString(id)); }
}  // namespace

CGoToDlg::CGoToDlg(CPageWnd& book, QWidget* parent) : QDialog(parent), m_book(book) {
  setWindowTitle(Text(str::kGoToCaption));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(Text(str::kPageLabel), this);
  m_entry = new QLineEdit(this);
  m_entry->setMaxLength(32);
  label->setBuddy(m_entry);
  row->addWidget(label);
  row->addWidget(m_entry, 1);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* go = buttons->addButton(Text(str::kGo), QDialogButtonBox::AcceptRole);
  buttons->addButton(Text(str::kCancel), QDialogButtonBox::RejectRole);
  go->setDefault(true);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Go(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  if (book.current().lesson >= 0)
    m_entry->setText(QString::fromStdString(PageNumberText(book.current(), CurrentContents())));
  m_entry->selectAll();
  m_entry->setFocus();
}

bool CGoToDlg::Go() {
  if (!m_book.GoToText(m_entry->text().trimmed().toStdString())) {
    m_entry->selectAll();
    m_entry->setFocus();
    return false;
  }
  accept();
  return true;
}
