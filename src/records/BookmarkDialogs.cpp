#include "records/BookmarkDialogs.h"

#include <QtGui/QIcon>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

#include "course/CourseStream.h"
#include "course/CourseText.h"
#include "course/ProgramResources.h"
#include "course/ResourceIds.h"

namespace {
QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}
}  // namespace

CAnnotateDlg::CAnnotateDlg(const std::string& text, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Annotate Bookmark Text"));
  setObjectName(QStringLiteral("AnnotateBookmark"));
  m_edit = new QPlainTextEdit(QString::fromStdString(CourseToUtf8(text)), this);
  m_edit->selectAll();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_edit);
  layout->addWidget(OkCancel(this));
  resize(320, 160);
}

std::string CAnnotateDlg::Text() const {
  // One line of text: the annotation stands in a row of the bar.
  QString text = m_edit->toPlainText();
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  std::string bytes = Utf8ToCourse(text.toStdString());
  if (bytes.size() > CourseStream::kMaxString) bytes.resize(CourseStream::kMaxString);
  return bytes;
}

CCustomIconDlg::CCustomIconDlg(int currentMark, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Choose Custom Bookmark Icon"));
  setObjectName(QStringLiteral("CustomBookmarkIcon"));
  m_icons = new QListWidget(this);
  m_icons->setViewMode(QListView::IconMode);
  m_icons->setIconSize(QSize(24, 24));
  m_icons->setGridSize(QSize(36, 36));
  m_icons->setMovement(QListView::Static);
  for (int mark = 1; mark <= kCustomIconCount; ++mark) {
    auto* item = new QListWidgetItem(
        QIcon(QString::fromStdString(ProgramResourcePath("icon", ico::kBookmarkFirst + mark - 1))), QString(), m_icons);
    item->setData(Qt::UserRole, mark);
    if (mark == currentMark) m_icons->setCurrentItem(item);
  }
  connect(m_icons, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_icons);
  layout->addWidget(OkCancel(this));
  resize(260, 200);
}

int CCustomIconDlg::ChosenMark() const {
  const QListWidgetItem* item = m_icons->currentItem();
  return item ? item->data(Qt::UserRole).toInt() : 0;
}

CSortDlg::CSortDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Sort Bookmarks"));
  setObjectName(QStringLiteral("SortBookmarks"));
  m_group = new QButtonGroup(this);
  auto* layout = new QVBoxLayout(this);
  const char* names[] = {"by Sequence", "by Name", "by Icon Type"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QRadioButton(QString::fromLatin1(names[i]), this);
    m_group->addButton(button, i);
    layout->addWidget(button);
  }
  m_group->button(0)->setChecked(true);
  layout->addWidget(OkCancel(this));
}

BookmarkOrder CSortDlg::Order() const { return static_cast<BookmarkOrder>(std::max(0, m_group->checkedId())); }

void CSortDlg::SetOrder(BookmarkOrder order) { m_group->button(static_cast<int>(order))->setChecked(true); }

bool ConfirmOverwrite(QWidget* parent, const QString& path) {
  const QString text = QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(path);
  return QMessageBox::question(parent, QString(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}
