// Reference checks shared by every file in course markup (pages and hypertext
// documents): pictures named by img tags, defined terms, asterisk markers.
#pragma once

#include <string>
#include <string_view>

class ResourceContainer;

namespace kncheck {

class CourseCheck;
struct ScannedMarkup;

// container: the file's own pictures (none for plain-text documents); lessonCode: the
// folder whose asterisk notes the markers name.
void CheckMarkupReferences(CourseCheck& check, std::string_view file, const ScannedMarkup& markup,
                           const ResourceContainer* container, const std::string& lessonCode);

}  // namespace kncheck
