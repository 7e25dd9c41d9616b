#include "shell/StartupDlg.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QScreen>

#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/ResourceIds.h"
#include "shell/BarImages.h"
#include "shell/ShellServices.h"

namespace {
}

QImage AboutScreenPicture() {
  QImage picture = PersonalityPicture(kAboutScreenPicture);
  if (picture.isNull()) picture = RenderProgramImage("picture", pic::kAbout, CStartupDlg::kClientSize);
  return picture;
}

QString FlavorText() { return QString::fromStdString(CourseToUtf8(PersonalityString(kKeyFlavor))); }

void PaintAboutScreen(QPainter& painter, const QRect& rect, const QImage& picture, const QString& flavor) {
  if (picture.isNull())
    painter.fillRect(rect, QColor(0x1d, 0x3a, 0x5f));
  else
    painter.drawImage(rect, picture);
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(14);
  font.setBold(true);
  font.setItalic(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(rect.topLeft() + QPoint(188, 88), QSize(276, 18)), Qt::AlignLeft | Qt::AlignVCenter,
                   flavor);
}

CStartupDlg::CStartupDlg() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("StartupSplash"));
  setFixedSize(kClientSize);
  m_picture = AboutScreenPicture();
  m_flavor = FlavorText();
}

void CStartupDlg::ShowNow() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect r(QPoint(0, 0), kClientSize);
    r.moveCenter(screen->availableGeometry().center());
    move(r.topLeft());
  }
  show();
  repaint();
}

void CStartupDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintAboutScreen(p, rect(), m_picture, m_flavor);
}
