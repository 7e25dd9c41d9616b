// Where the subsystems of the course player are joined to each other: each subsystem
// keeps its seams (hooks, link tables, registries) and this is the one place that fills
// them. main() calls ConnectSubsystems() before the application object starts up.
#pragma once

void ConnectSubsystems();

// Each subsystem's part of it, for tests that assemble part of the program.
void ConnectLessonBook();
