// Window-side companions of the course configuration: remembering a window's rectangle
// in the preferences, and setting menu texts from the personality.
#pragma once

class CoursePersonality;
class Preferences;
class QWidget;

// Stores the window's rectangle under key (key 0 does nothing). A course window inside the
// main frame (a QMdiSubWindow) gives its client area in the coordinates of the area that
// holds it; any other window its outer rectangle relative to the outer rectangle of the
// window it belongs to (the main frame for a floating bar), or in screen coordinates when
// it belongs to none.
void RememberWindow(Preferences& prefs, int key, const QWidget* window);

// Sets the texts of the menu items the personality names (command ids 57665, 57664, 57667,
// 9092, 9033, 9036, 9089) and removes 9033 when there is no Explore documentation. Menu
// actions carry their command id as an int in QAction::data(). menu: a QMenuBar or QMenu;
// submenus are searched too.
void RewriteMenu(const CoursePersonality& personality, QWidget* menu);
