// Launch: the one operation every way of starting an activity ends in (a Lesson Book
// click, a bookmark, an index or search result, a marker file, a restored window).
//
// A launch brings forward a window that already shows the activity, turns the Lesson
// Book to it (locate mode), or finds the activity's file among the course folders and
// hands it to what its extension selects: an activity window of the program (one per
// class, reused), the companion statistics application, or the desktop's open action for
// outside documents. Failures are shown as notices; nothing is started for a file outside
// the course folders, and the desktop's open action never receives a program, a script
// or a desktop entry.
#pragma once

#include <QtCore/QString>
#include <functional>
#include <string>
#include <string_view>

#include "launch/CompanionApp.h"

class ActivityLocator;
class QWidget;

enum LaunchMode : int {
  kLaunchLocate = 0,  // a Lesson Book activity: turn the Lesson Book to it
  kLaunchOpen = 1,    // open the activity itself
};

// The window that shows the activity afterwards (activated), or null.
QWidget* Launch(const ActivityLocator& locator, int mode);

// Launch in open mode for a window restored from a student progress file: only the
// program's own activity windows open; an outside document, a web page or the companion
// application is left for the learner to start (null).
QWidget* LaunchCourseWindow(const ActivityLocator& locator);

// Plays the launch sound of the locator's type (the Lesson Book, when the learner starts
// an activity).
void PlayLaunchSound(const ActivityLocator& locator);

// The activity's path relative to the course folders (fileName empty: the locator's page
// file) with the program's contents.
std::string FilePath(const ActivityLocator& locator, std::string_view fileName = {});
// The application that opens fileName, with the course's "Explore Name" (links label
// themselves with it).
std::string ApplicationName(std::string_view fileName);

// ---- the window classes ----
// Makes a new, empty window of the class (an ActivityWindow); the launcher then calls its
// open activity. Registered by each window's subsystem at start-up.
using ActivityWindowMaker = std::function<QWidget*()>;
void RegisterActivityWindowClass(std::string_view className, ActivityWindowMaker make);
bool HasActivityWindowClass(std::string_view className);
// The open window of a class, or null.
QWidget* FindActivityWindow(std::string_view className);

// Records locator as completed in the student record and, when that changed the record,
// adds it to the application's list of completion changes. False when nothing changed.
bool MarkActivityCompleted(const ActivityLocator& locator);

// ---- seams the Lesson Book and tests connect ----
// How the Lesson Book is turned to an activity in locate mode: book is the open Lesson
// Book window; execute is false when only the activity is to be selected (mark 255). The
// Lesson Book sets it when it starts; without it a locate-mode launch opens the activity.
using LessonBookTurnHook = std::function<void(QWidget* book, const ActivityLocator& locator, bool execute)>;
void SetLessonBookTurnHook(LessonBookTurnHook hook);
// What a launch hands to the desktop or starts goes through the program's gate; its
// seams (SetDocumentOpener, SetProgramStarter) are in course/OutsideGate.h.
