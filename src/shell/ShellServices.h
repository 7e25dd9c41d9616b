// The program-wide values the shell's windows show or change, each read from its
// service when that exists and sensible without it.
#pragma once

#include <QtCore/QString>
#include <string>

// The application name (personality "Application", "Kestrelon" by default).
QString ApplicationName();
// The learner's name from the student record; empty when none is known.
QString LearnerName();
// Changes the preference FontSize by notches within 8 to 24; when it changed, marks the
// preferences changed and broadcasts kNotifyPreferences with the record as it was. Returns
// the new size (12 without preferences).
int ChangeFontSize(int notches);

class QPrinter;
// The printer all printing uses, with the settings of Print Setup.
QPrinter& ProgramPrinter();

class QImage;
// A named picture of the personality ("Splash Screen", "About Screen", "Explore Icon", ...)
// at its own size; a null image when the personality has none or it cannot be read.
QImage PersonalityPicture(const char* name);
