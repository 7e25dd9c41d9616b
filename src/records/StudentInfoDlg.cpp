#include "records/StudentInfoDlg.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLineEdit>

#include "course/CourseText.h"
#include "course/ProgramResources.h"
#include "course/StringIds.h"
#include "records/StudentRecord.h"

namespace {
}

CStudentInfoDlg::CStudentInfoDlg(const std::string& name, const std::vector<CourseListEntry>& bundles, int bundle,
                                 QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Enter Student Information"));
  setObjectName(QStringLiteral("StudentInformation"));
  m_name = new QLineEdit(QString::fromStdString(CourseToUtf8(name)), this);
  m_name->setMaxLength(static_cast<int>(StudentRecord::kMaxName));
  m_name->selectAll();
  m_bundles = new QComboBox(this);
  const std::string none = ProgramString(str::kNoBundle);
  m_bundles->addItem(QString::fromStdString(none.empty() ? "(no bundle selected)" : none));
  for (std::size_t i = 1; i < bundles.size(); ++i)
    m_bundles->addItem(QString::fromStdString(CourseToUtf8(bundles[i].value + "  (" + bundles[i].key + ")")));
  m_bundles->setCurrentIndex(bundle >= 0 && bundle < m_bundles->count() ? bundle : 0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("&Name:"), m_name);
  form->addRow(QStringLiteral("&Supplementary text:"), m_bundles);
  form->addRow(buttons);
  m_name->setFocus();
}

std::string CStudentInfoDlg::Name() const { return Utf8ToCourse(m_name->text().toStdString()); }

int CStudentInfoDlg::Bundle() const { return std::max(0, m_bundles->currentIndex()); }
