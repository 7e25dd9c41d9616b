#include "shell/StudentInfoDlg.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>

#include "course/BundleList.h"
#include "course/CourseText.h"
#include "course/ProgramResources.h"
#include "course/Services.h"
#include "shell/PendingServices.h"

namespace {
constexpr int kNoBundle = 8018;  // "(no bundle selected)"
}

CStudentInfoDlg::CStudentInfoDlg(const std::string& name, const std::vector<QString>& bundles, int bundle,
                                 QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("StudentInformation"));
  setWindowTitle(tr("Enter Student Information"));
  m_name = new QLineEdit(QString::fromStdString(CourseToUtf8(name)), this);
  m_name->setObjectName(QString::number(kName));
  // The record keeps at most 259 bytes of the name.
  m_name->setMaxLength(static_cast<int>(StudentRecord::kMaxName));
  m_name->setMinimumWidth(280);
  m_name->selectAll();
  m_bundles = new QComboBox(this);
  m_bundles->setObjectName(QString::number(kBundle));
  m_bundles->addItem(QString::fromStdString(ProgramString(kNoBundle)));
  for (const QString& b : bundles) m_bundles->addItem(b);
  m_bundles->setCurrentIndex(bundle >= 0 && bundle < m_bundles->count() ? bundle : 0);
  auto* form = new QFormLayout;
  form->addRow(tr("&Name:"), m_name);
  form->addRow(tr("&Supplementary text:"), m_bundles);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  m_name->setFocus();
}

std::string CStudentInfoDlg::name() const {
  std::string bytes = Utf8ToCourse(m_name->text().toStdString());
  if (bytes.size() > StudentRecord::kMaxName) bytes.resize(StudentRecord::kMaxName);
  return bytes;
}

int CStudentInfoDlg::bundle() const { return std::max(0, m_bundles->currentIndex()); }

std::vector<QString> CStudentInfoDlg::BundleChoices() {
  std::vector<QString> out;
  const BundleList* list = Service<BundleList>();
  if (!list) return out;
  for (int i = 1; i < list->Count(); ++i)
    out.push_back(QStringLiteral("%1  (%2)").arg(QString::fromStdString(CourseToUtf8(list->Value(i))),
                                                 QString::fromStdString(CourseToUtf8(list->Key(i)))));
  return out;
}
