// Where the subsystems of the course player are joined to each other. Each subsystem
// keeps its own seams (hooks, link tables, registries) and knows nothing above its
// floor; this is the one place that fills the seams, read top to bottom in Wiring.cpp.
#pragma once

#include <functional>
#include <string>

class StudentRecord;

// Before the application object starts up: the subsystems to each other and to the
// main frame's bars.
void ConnectSubsystems();

// Each subsystem's part of it, for tests that assemble part of the program.
void ConnectLessonBook();

// The program's notices: shown in the "Program Notice" dialog, or, in a run nobody
// answers (tour, screenshot, timing), written to the error stream and handed to
// alsoTell.
void ConnectNotices(bool answered, std::function<void(const std::string&)> alsoTell = {});

// During start-up, once the services exist: their changes are broadcast to the course
// windows as course notifications. Undone when the application object goes.
void ConnectPreferencesToWindows();
void DisconnectPreferencesFromWindows();
void ConnectBookmarksToWindows(StudentRecord& record);
void DisconnectBookmarksFromWindows(StudentRecord& record);
