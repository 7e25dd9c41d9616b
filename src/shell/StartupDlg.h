// The start-up splash: a borderless 480 by 360 picture (the personality's "About Screen",
// else the program's own) with the edition text ("Flavor"), shown while the program
// starts.
#pragma once

#include <QtWidgets/QWidget>

class CStartupDlg : public QWidget {
 public:
  static constexpr QSize kClientSize{480, 360};
  CStartupDlg();

  // Shows it centred on the screen and paints it at once.
  void ShowNow();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage m_picture;
  QString m_flavor;
};

// The About picture and edition line, shared with the About dialog: draws the picture
// over rect and the edition text at (188, 88), 276 by 18 pixels, from rect's corner.
void PaintAboutScreen(QPainter& painter, const QRect& rect, const QImage& picture, const QString& flavor);
QImage AboutScreenPicture();
QString FlavorText();
