#include "course/PreferencesDlg.h"

#include <QtCore/QFile>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include "course/AsteriskCombo.h"
#include "course/CourseModelLinks.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "course/Services.h"
#include "course/StringIds.h"

namespace {

const char* kBrowsePrompt = "Please select the Teacher Extensions folder.";

QString FromCourse(const std::string& bytes) { return QString::fromStdString(CourseToUtf8(bytes)); }
QString FromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string ToPath(const QString& text) { return QFile::encodeName(text).toStdString(); }

QString SystemFolderPicker(QWidget* parent, const QString& prompt, const QString& start) {
  return QFileDialog::getExistingDirectory(parent, prompt, start);
}

}  // namespace

CPreferencesDlg::CPreferencesDlg(Preferences& prefs, QWidget* parent)
    : QDialog(parent), m_prefs(prefs), m_work(prefs), m_picker(SystemFolderPicker) {
  // Defaults start from a fresh record but keep the folders, so that Defaults never
  // forgets where the course is.
  m_defaults.folders = prefs.folders;
  setWindowTitle(QStringLiteral("Preferences"));
  Build();
  FillLists();
  WriteControls();
  UpdateButtons();
}

void CPreferencesDlg::Build() {
  auto check = [this](int id, const char* text) {
    auto* box = new QCheckBox(QString::fromUtf8(text), this);
    m_controls[id] = box;
    connect(box, &QCheckBox::toggled, this, [this] { AfterCommand(); });
    return box;
  };
  auto list = [this](int id) {
    auto* box = new QComboBox(this);
    m_controls[id] = box;
    connect(box, &QComboBox::currentIndexChanged, this, [this] { AfterCommand(); });
    return box;
  };
  auto button = [this](int id, const char* text) {
    auto* b = new QPushButton(QString::fromUtf8(text), this);
    b->setAutoDefault(false);
    m_controls[id] = b;
    return b;
  };

  m_disableSounds = check(kDisableSounds, "Disable sounds");
  m_neverAdjust = check(kDoNotAdjustContents, "Do not adjust Contents");
  m_hideTime = check(kHideEstimatedTime, "Hide estimated time");
  m_expoSource = check(kExpoSourceFirst, "Show exposition text first");
  m_showTips = check(kShowTips, "Show tips at startup");
  m_format = list(kLessonBookFormat);
  m_fontSize = list(kFontSize);
  m_bundle = list(kSupplementaryText);
  m_asterisks = new CAsteriskCombo(this);
  m_asterisks->SetOnToggled([this] { AfterCommand(); });
  m_controls[kAsteriskSources] = m_asterisks;
  m_teacher = new QLineEdit(this);
  m_teacher->setMaxLength(static_cast<int>(Preferences::kMaxFolderPath));
  m_controls[kTeacherFolder] = m_teacher;
  connect(m_teacher, &QLineEdit::textChanged, this, [this] { AfterCommand(); });
  QPushButton* browse = button(kBrowse, "Browse...");
  connect(browse, &QPushButton::clicked, this, [this] { Browse(); });

  QPushButton* ok = button(kOk, "&OK");
  ok->setDefault(true);
  QPushButton* cancel = button(kCancel, "&Cancel");
  m_apply = button(kApply, "&Apply");
  m_defaultsButton = button(kDefaults, "&Defaults");
  m_revert = button(kRevert, "&Revert");
  connect(ok, &QPushButton::clicked, this, [this] {
    Apply();
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_apply, &QPushButton::clicked, this, [this] {
    Apply();
    AfterCommand();
  });
  connect(m_defaultsButton, &QPushButton::clicked, this, [this] {
    m_work.AssignSettings(m_defaults);
    WriteControls();
    AfterCommand();
  });
  connect(m_revert, &QPushButton::clicked, this, [this] {
    m_work.AssignSettings(m_prefs);
    WriteControls();
    AfterCommand();
  });

  auto* options = new QGroupBox(this);
  auto* optionsLayout = new QVBoxLayout(options);
  for (QCheckBox* b : {m_disableSounds, m_neverAdjust, m_hideTime, m_expoSource, m_showTips}) optionsLayout->addWidget(b);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Lesson Book format:"), m_format);
  form->addRow(QStringLiteral("Font size:"), m_fontSize);
  form->addRow(QStringLiteral("Supplementary text:"), m_bundle);
  form->addRow(QStringLiteral("Asterisk sources:"), m_asterisks);
  auto* teacherRow = new QHBoxLayout;
  teacherRow->addWidget(m_teacher, 1);
  teacherRow->addWidget(browse);
  form->addRow(QStringLiteral("Teacher folder:"), teacherRow);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {ok, cancel, m_apply, m_defaultsButton, m_revert}) buttons->addWidget(b);

  auto* top = new QVBoxLayout(this);
  top->addWidget(options);
  top->addLayout(form);
  top->addLayout(buttons);
}

void CPreferencesDlg::FillLists() {
  m_writing = true;
  for (const char* name : kPageFormatNames) m_format->addItem(QString::fromUtf8(name));
  for (int size = Preferences::kMinFontSize; size <= Preferences::kMaxFontSize; ++size)
    m_fontSize->addItem(QString::number(size));
  m_bundle->addItem(QString::fromStdString(ProgramString(str::kNoBundle)));
  if (auto bundles = LinkedBundles()) {
    // Entry 0 stands for "no bundle" and is never offered.
    for (std::size_t i = 1; i < bundles->size(); ++i)
      m_bundle->addItem(FromCourse((*bundles)[i].value) + QStringLiteral("  (") + FromCourse((*bundles)[i].key) +
                        QStringLiteral(")"));
  }
  QStringList sources;
  if (auto list = LinkedAsteriskSources())
    for (const auto& e : *list) sources << FromCourse(e.value);
  m_asterisks->SetSources(sources);
  m_writing = false;
}

QWidget* CPreferencesDlg::control(int id) const {
  auto it = m_controls.find(id);
  return it == m_controls.end() ? nullptr : it->second;
}

void CPreferencesDlg::WriteControls() {
  m_writing = true;
  m_disableSounds->setChecked(m_work.disableSounds);
  m_neverAdjust->setChecked(m_work.neverAdjust);
  m_hideTime->setChecked(m_work.hideTime);
  m_expoSource->setChecked(m_work.expoSource);
  m_showTips->setChecked(m_work.showTips);
  m_format->setCurrentIndex(m_work.pageFormat);
  m_fontSize->setCurrentIndex(m_work.fontSize - Preferences::kMinFontSize);
  // A choice the list cannot show (its bundles are not known) shows as blank and is kept.
  m_bundle->setCurrentIndex(m_work.bundledText < m_bundle->count() ? m_work.bundledText : -1);
  m_asterisks->SetExcluded(m_work.asterisks);
  const auto& teacher = m_work.folder(Preferences::kTeacherFolder);
  m_teacher->setText(teacher.valid ? FromPath(teacher.path) : QString());
  m_writing = false;
}

void CPreferencesDlg::ReadControls() {
  m_work.disableSounds = m_disableSounds->isChecked();
  m_work.neverAdjust = m_neverAdjust->isChecked();
  m_work.hideTime = m_hideTime->isChecked();
  m_work.expoSource = m_expoSource->isChecked();
  m_work.showTips = m_showTips->isChecked();
  if (m_format->currentIndex() >= 0) m_work.pageFormat = static_cast<std::uint8_t>(m_format->currentIndex());
  if (m_fontSize->currentIndex() >= 0)
    m_work.fontSize = static_cast<std::uint8_t>(m_fontSize->currentIndex() + Preferences::kMinFontSize);
  if (m_bundle->currentIndex() >= 0) m_work.bundledText = static_cast<std::uint8_t>(m_bundle->currentIndex());
  m_work.asterisks = m_asterisks->excluded();
  m_work.SetFolder(Preferences::kTeacherFolder, ToPath(m_teacher->text()));
}

void CPreferencesDlg::UpdateButtons() {
  const bool differs = !m_work.Equal(m_prefs);
  m_apply->setEnabled(differs);
  m_revert->setEnabled(differs);
  m_defaultsButton->setEnabled(!m_work.Equal(m_defaults));
}

void CPreferencesDlg::AfterCommand() {
  if (m_writing) return;
  ReadControls();
  UpdateButtons();
}

bool CPreferencesDlg::Apply() {
  ReadControls();
  const std::string path = m_work.folder(Preferences::kTeacherFolder).path;
  if (path.size() > 1 && path.back() != '/' && m_work.SetFolder(Preferences::kTeacherFolder, path + "/")) {
    m_writing = true;
    m_teacher->setText(FromPath(path + "/"));
    m_writing = false;
    ShowNotice(str::kExtensionPathSlashAdded);
  }
  if (m_work.Equal(m_prefs)) return false;
  const Preferences previous = m_prefs;
  m_prefs.AssignSettings(m_work);
  m_prefs.SetChanged();
  NotifyPreferencesChanged(previous);
  return true;
}

void CPreferencesDlg::Browse() {
  const auto& teacher = m_work.folder(Preferences::kTeacherFolder);
  QString chosen = m_picker(this, QString::fromUtf8(kBrowsePrompt), teacher.valid ? FromPath(teacher.path) : QString());
  if (chosen.isEmpty()) return;
  if (!chosen.endsWith('/')) chosen += '/';
  m_teacher->setText(chosen);  // re-reads the controls through textChanged
}

void CPreferencesDlg::RunCommand(QWidget* parent) {
  Preferences* prefs = Service<Preferences>();
  if (!prefs) return;
  CPreferencesDlg dialog(*prefs, parent);
  dialog.exec();
}
