// Where the contents model meets the rest of the program: the course files it
// reads and the course and learner settings it depends on. The model classes
// take these as explicit inputs; only the functions here consult the
// program-wide services, and each behaves sensibly when a service is absent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class ContentsTable;

// The whole of a course file found in the course folders (program folder, then
// course volume); none when it is missing or cannot be read.
std::optional<std::string> ReadCourseTextFile(std::string_view name);

// Personality "Lesson Base": the number of the first lesson (default 1).
int ConfiguredLessonBase();
// Personality "Custom Bookmark": the mark of every new locator (default 0).
std::uint8_t NewLocatorMark();
// Preference BundledText: the chosen bundle (0: none).
int ChosenBundle();
// Preference Asterisks: bit i set excludes asterisk source i.
std::uint16_t ExcludedAsteriskSources();

// Connects the configuration's hooks (bundle list, asterisk sources, identifier
// resolution) to the installed services and normalises the preferences against
// them. Start-up calls it once BundleList, ContentsTable and AsteriskSourceList exist.
void ConnectCourseModel();

// The program's contents table, or an empty one before it exists.
const ContentsTable& CurrentContents();
