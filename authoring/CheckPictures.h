// Pictures as the player's picture class takes them: container picture entries hold a
// packed bitmap (information header, colour table, pixels) or a PNG stream; picture
// files are ".bmp" or ".png".
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class ResourceContainer;

namespace kncheck {

class CourseCheck;

// Empty when the bytes decode as a packed bitmap or a PNG image; otherwise why not.
std::string PictureDataProblem(std::span<const std::uint8_t> data);
// Every picture entry of the container decodes; problems reported against file.
void CheckContainerPictures(CourseCheck& check, ResourceContainer& container, std::string_view file);

}  // namespace kncheck
