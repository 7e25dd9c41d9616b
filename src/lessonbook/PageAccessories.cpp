#include "lessonbook/PageAccessories.h"

#include "course/AsciiCase.h"

AccessoryFile ExploreFile(std::string_view code, std::string_view explore, std::string_view suffix) {
  if (EqualNoCase(explore, "labs")) return {ExploreAction::Labs, {}};
  if (!explore.empty() && explore.front() == ':') return {ExploreAction::Reference, std::string(explore)};
  std::string name(code);
  name += '\\';
  name += code;
  name += "BAR";
  name += suffix;
  return {ExploreAction::File, name};
}

AccessoryFile WebFile(std::string_view code, std::string_view explore) {
  if (!explore.empty() && explore.front() == ':') return {ExploreAction::Reference, std::string(explore)};
  std::string name(code);
  name += "\\WEB\\";
  name += code;
  name += "WEB.HTM";
  return {ExploreAction::Reference, name};
}

std::string ToolScriptName(std::string_view code, std::string_view tool) {
  std::string name(code);
  name += '\\';
  name += code;
  name += tool;
  name += ".scr";
  return name;
}
