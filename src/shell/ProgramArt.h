// The program's own pictures as Qt wants them: button icons, cursors and pictures drawn
// from resources/ (SVG preferred), sharp at the screen's pixel ratio.
#pragma once

#include <QtCore/QSize>
#include <QtGui/QCursor>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <string_view>

// bitmap/<id> at size (device-independent pixels); a null pixmap when there is none.
QPixmap ProgramPixmap(std::string_view kind, int id, const QSize& size, qreal devicePixelRatio = 0);
// The button and menu icon of a command: bitmap/<commandId>; null icon when none.
QIcon ProgramIcon(int commandId);
// cursor/<id> at 32 by 32 with its hot spot in the middle; the arrow when there is none.
QCursor ProgramCursor(int id);
