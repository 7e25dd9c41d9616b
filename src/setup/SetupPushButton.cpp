#include "setup/SetupPushButton.h"

#include <QtWidgets/QStyleOptionButton>
#include <QtWidgets/QStylePainter>

CSetupPushButton::CSetupPushButton(const QString& label, QWidget* parent) : QPushButton(label, parent) {}

void CSetupPushButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();  // the style draws the frame, the label is drawn below
  painter.drawControl(QStyle::CE_PushButtonBevel, option);
  QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  if (isDown() || isChecked())
    area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                   style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  style()->drawItemText(&painter, area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                        QPalette::ButtonText);
}
