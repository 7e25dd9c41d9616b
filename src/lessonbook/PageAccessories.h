// The course files behind the accessory commands of the Lesson Book, for the current
// lesson (code: the lesson's code):
//   9092 Launch Explore Application: "<code>\<code>BAR<suffix>" (suffix: personality
//        "Explore Suffix"), or the personality's "Explore Application" itself when it is
//        a reference beginning with ":"; the value "labs" opens the lesson's labs instead
//   9100 Web: "<code>\WEB\<code>WEB.HTM", with the same ":" reference taking its place
//   9098, 9099 Tool1 and Tool2: "<code>\<code><tool>.scr" for the page's tools
#pragma once

#include <string>
#include <string_view>

enum class ExploreAction {
  Labs,       // open the lesson's labs window
  Reference,  // a ":" reference: found, it is opened by the desktop
  File,       // the lesson's explore file: found, it is launched as an activity of the lesson
};

struct AccessoryFile {
  ExploreAction action = ExploreAction::File;
  std::string name;  // the course name to look for (FindCourseFile rules); empty for Labs
};

AccessoryFile ExploreFile(std::string_view lessonCode, std::string_view exploreApplication,
                          std::string_view exploreSuffix);
AccessoryFile WebFile(std::string_view lessonCode, std::string_view exploreApplication);
std::string ToolScriptName(std::string_view lessonCode, std::string_view toolName);
