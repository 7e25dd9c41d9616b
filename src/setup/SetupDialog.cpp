#include "setup/SetupDialog.h"

#include <QtGui/QContextMenuEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QMenu>

#include "course/CommandIds.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "course/StringIds.h"
#include "setup/MovieLibraryCheck.h"
#include "setup/PackedDib.h"
#include "setup/SetupArt.h"
#include "setup/SetupAboutBox.h"
#include "setup/SetupConfig.h"
#include "setup/SetupProfile.h"
#include "setup/SetupPushButton.h"
#include "setup/SplashPainting.h"

namespace {
static_assert(cmd::kSetupButtonLast - cmd::kSetupButtonFirst + 1 == static_cast<int>(setup_limits::kMaxButtons),
              "one command per button the settings can hold");

constexpr int kButtonFontPixels = 16;

QString CourseQString(const std::string& bytes) { return QString::fromStdString(CourseToUtf8(bytes)); }

QRect ButtonRect(const SetupRect& r) {
  // Edges in the wrong order (a "location" below an inherited bottom) give an empty button.
  return QRect(r.left, r.top, std::max(0, r.right - r.left), std::max(0, r.bottom - r.top));
}

}  // namespace

CSetupDialog::CSetupDialog(const std::filesystem::path& programFolder, CSetupShell& shell, SetupProfile& profile,
                           CMovieLibraryProbe* movieProbe, ProgramSearch search, QWidget* parent)
    : QDialog(parent), m_launcher(programFolder, shell, std::move(search)), m_profile(profile) {
  // A fixed-size window: no resizing and no maximising.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(SetupProgramIcon());
  setFixedSize(SetupSettings::kDefaultWidth, SetupSettings::kDefaultHeight);
  m_buttonFont = QApplication::font();
  m_buttonFont.setPixelSize(kButtonFontPixels);
  m_buttonFont.setWeight(QFont::Normal);

  LoadConfiguration(movieProbe);
  setWindowTitle(QString::fromStdString(ProgramString(str::kSetupCaption)) + CourseQString(m_settings.title));
  setFixedSize(m_settings.clientWidth, m_settings.clientHeight);
  CreateButtons();
}

void CSetupDialog::LoadConfiguration(CMovieLibraryProbe* movieProbe) {
  const auto check = [movieProbe] {
    if (movieProbe) RunMovieLibraryCheck(*movieProbe);
  };
  auto config = LoadSetupConfig(m_launcher.programFolder() / kSetupConfigName, check);
  if (!config) {
    ShowPlainMessage(ProgramString(str::kSetupCannotLoadConfig));
  } else {
    m_loaded = true;
    m_settings = std::move(config->settings);
    if (!config->splash.empty()) m_picture = DecodePackedDib(config->splash);
  }
  // An undecodable "Splash" is treated as none.
  if (m_picture.isNull()) m_picture = SetupDefaultPicture();
}

void CSetupDialog::CreateButtons() {
  const SetupRgb& c = m_settings.colorBox;
  const QColor colorBox(c.red, c.green, c.blue);
  for (std::size_t i = 0; i < m_settings.buttons.size(); ++i) {
    SetupButton& record = m_settings.buttons[i];
    const bool enabled = m_launcher.PrepareButton(record);
    const QString label = CourseQString(record.label);
    QAbstractButton* b;
    if (record.function == SetupFunction::CheckBox) {
      b = new QCheckBox(label, this);
      // The check box shows the "colorbox" colour around its mark and label.
      QPalette palette = b->palette();
      palette.setColor(QPalette::Window, colorBox);
      b->setPalette(palette);
      b->setAutoFillBackground(true);
    } else {
      b = new CSetupPushButton(label, this);
    }
    b->setObjectName(QString("button%1").arg(cmd::kSetupButtonFirst + static_cast<int>(i)));
    b->setFont(m_buttonFont);
    b->setGeometry(ButtonRect(record.rect));
    b->setEnabled(enabled);
    const int index = static_cast<int>(i);
    connect(b, &QAbstractButton::clicked, this, [this, index] { RunCommand(index); });
    m_buttons.push_back(b);
  }
  SyncCheckBoxes();
}

void CSetupDialog::SyncCheckBoxes() {
  const bool show = m_profile.showDialog() != 0;
  for (QAbstractButton* b : m_buttons)
    if (auto* box = qobject_cast<QCheckBox*>(b)) box->setChecked(show);
}

QAbstractButton* CSetupDialog::button(int index) const {
  return index >= 0 && index < buttonCount() ? m_buttons[static_cast<std::size_t>(index)] : nullptr;
}

void CSetupDialog::RunCommand(int index) {
  if (index < 0 || index >= buttonCount()) return;
  switch (m_launcher.Click(m_settings.buttons[static_cast<std::size_t>(index)])) {
    case ButtonOutcome::CloseWindow:
      accept();
      break;
    case ButtonOutcome::ToggleCheckBox:
      m_profile.toggleShowDialog();
      SyncCheckBoxes();
      break;
    case ButtonOutcome::ShowAbout:
      ShowAbout();
      break;
    case ButtonOutcome::StayOpen:
    case ButtonOutcome::Nothing:
      break;
  }
}

void CSetupDialog::ShowAbout() {
  CSetupAboutBox about(this);
  about.exec();
}

void CSetupDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintSplash(painter, size(), m_picture);
}

void CSetupDialog::contextMenuEvent(QContextMenuEvent* event) {
  // The window menu's "About" item; left out when its text is empty.
  const std::string text = ProgramString(str::kSetupAboutMenuItem);
  if (text.empty()) return;
  QMenu menu(this);
  QAction* about = menu.addAction(QString::fromStdString(text));
  if (menu.exec(event->globalPos()) == about) ShowAbout();
}
