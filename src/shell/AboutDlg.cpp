#include "shell/AboutDlg.h"

#include <QtCore/QTimer>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTextEdit>

#include "course/CoursePersonality.h"
#include "course/ProgramResources.h"
#include "course/CourseText.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "shell/BarImages.h"
#include "shell/ShellServices.h"
#include "shell/StartupDlg.h"

namespace {

QImage PanelPicture(const char* name, int builtin, const QSize& size) {
  QImage picture = PersonalityPicture(name);
  if (picture.isNull()) picture = RenderProgramImage("picture", builtin, size);
  return picture;
}

QString PanelText(int resourceId, const char* name) {
  std::string text;
  if (const CoursePersonality* personality = Service<CoursePersonality>())
    personality->LoadText(resourceId, name, text);
  else if (auto bytes = ProgramResource("text", resourceId))
    text.assign(bytes->begin(), bytes->end());
  // Course texts end their lines with CR LF.
  QString out = QString::fromStdString(CourseToUtf8(text));
  out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return out;
}

}  // namespace

QString AboutVersionText(const QString& version) {
  const QStringList parts = version.split(QLatin1Char('.'));
  if (parts.size() < 3) return QStringLiteral("Version");
  bool ok[3] = {};
  const int n[3] = {parts[0].toInt(&ok[0]), parts[1].toInt(&ok[1]), parts[2].toInt(&ok[2])};
  if (!ok[0] || !ok[1] || !ok[2]) return QStringLiteral("Version");
  return QStringLiteral("%1.%2.%3").arg(n[0]).arg(n[1]).arg(n[2]);
}

CAboutDlg::CAboutDlg(const QString& version, const QString& learner, QWidget* parent)
    : QDialog(parent), m_version(AboutVersionText(version)), m_learner(learner) {
  setObjectName(QStringLiteral("About"));
  setWindowTitle(tr("About %1").arg(ApplicationName()));
  setFixedSize(kClientSize);
  m_picture = AboutScreenPicture();
  m_flavor = FlavorText();
  const QString labels[5] = {tr("&About"), tr("&Support"), tr("&License"), tr("&Credits"), tr("OK")};
  for (int i = 0; i < 5; ++i) {
    auto* b = new QPushButton(labels[i], this);
    b->setGeometry(412, 232 + 24 * i, 60, 20);
    b->setAutoDefault(false);
    m_buttons[i] = b;
  }
  m_buttons[4]->setDefault(true);
  connect(m_buttons[0], &QPushButton::clicked, this, [this] { ShowPanel(kAbout); });
  connect(m_buttons[1], &QPushButton::clicked, this, [this] { ShowPanel(kSupport); });
  connect(m_buttons[2], &QPushButton::clicked, this, [this] { ShowPanel(kLicense); });
  connect(m_buttons[3], &QPushButton::clicked, this, [this] {
    ShowPanel(QApplication::keyboardModifiers() & Qt::ControlModifier ? kCreditsPicture : kCredits);
  });
  connect(m_buttons[4], &QPushButton::clicked, this, &QDialog::accept);
  m_text = new QTextEdit(this);
  m_text->setReadOnly(true);
  m_text->hide();
  m_creditsTimer = new QTimer(this);
  m_creditsTimer->setInterval(kCreditsScrollMs);
  connect(m_creditsTimer, &QTimer::timeout, this, &CAboutDlg::ScrollCredits);
  ShowPanel(kAbout);
}

void CAboutDlg::ShowPanel(Panel panel) {
  m_panel = panel;
  m_creditsTimer->stop();
  m_text->hide();
  m_panelPicture = QImage();
  switch (panel) {
    case kAbout:
      break;
    case kSupport:
      m_panelPictureRect = QRect(32, 132, 350, 200);
      m_panelPicture = PanelPicture("Support Picture", pic::kSupport, m_panelPictureRect.size());
      break;
    case kLicense:
      m_text->setGeometry(32, 128, 344, 200);
      m_text->setPlainText(PanelText(txt::kLicense, "License Text"));
      m_text->show();
      break;
    case kCredits:
      m_text->setGeometry(40, 132, 328, 200);
      m_text->setPlainText(QString(kCreditsBlankLines, QLatin1Char('\n')) + PanelText(txt::kCredits, "Credits Text"));
      m_text->verticalScrollBar()->setValue(0);
      m_text->show();
      if (isActiveWindow()) m_creditsTimer->start();
      break;
    case kCreditsPicture:
      m_panelPictureRect = QRect(30, 112, 348, 240);
      m_panelPicture = PanelPicture("Credits Picture", pic::kCredits, m_panelPictureRect.size());
      break;
  }
  const int active = panel == kCreditsPicture ? 3 : static_cast<int>(panel);
  for (int i = 0; i < 4; ++i) m_buttons[i]->setEnabled(i != active);
  update();
}

void CAboutDlg::ScrollCredits() {
  QScrollBar* bar = m_text->verticalScrollBar();
  if (bar->value() >= bar->maximum())
    bar->setValue(0);
  else
    bar->setValue(bar->value() + m_text->fontMetrics().lineSpacing());
}

void CAboutDlg::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || m_panel != kCredits) return;
  // The credits roll only while the dialog is active.
  if (isActiveWindow())
    m_creditsTimer->start();
  else
    m_creditsTimer->stop();
}

void CAboutDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintAboutScreen(p, rect(), m_picture, m_flavor);
  QFont small(QStringLiteral("Liberation Sans"));
  small.setPixelSize(10);
  p.setFont(small);
  p.setPen(Qt::white);
  p.drawText(QRect(4, 344, 32, 12), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, m_version);
  if (!m_learner.isEmpty())
    p.drawText(QRect(128, 4, 348, 12), Qt::AlignLeft | Qt::AlignVCenter, m_learner);
  if (!m_panelPicture.isNull()) p.drawImage(m_panelPictureRect, m_panelPicture);
}
