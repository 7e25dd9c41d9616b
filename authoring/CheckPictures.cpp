#include "CheckPictures.h"

#include <QtGui/QImage>
#include <algorithm>

#include "CourseCheck.h"
#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"
#include "setup/PackedDib.h"

namespace kncheck {

std::string PictureDataProblem(std::span<const std::uint8_t> data) {
  static constexpr std::uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (data.size() >= sizeof kPng && std::equal(std::begin(kPng), std::end(kPng), data.begin())) {
    QImage image;
    if (!image.loadFromData(data.data(), static_cast<int>(data.size()), "PNG")) return "a PNG image that does not decode";
    return {};
  }
  if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M')
    return "a .bmp file with its file header; picture entries hold the bitmap without it";
  try {
    PackedDibToBmpFile(data);
  } catch (const CourseFileError& e) {
    return "neither a PNG image nor a packed bitmap (at byte " + std::to_string(e.offset()) + ": " + e.reason() + ")";
  }
  if (DecodePackedDib(data).isNull()) return "a packed bitmap that does not decode";
  return {};
}

void CheckContainerPictures(CourseCheck& check, ResourceContainer& container, std::string_view file) {
  for (const ContainerEntry& e : container.directory().entries()) {
    if (e.type != kEntryPicture) continue;
    const auto data = container.ReadEntry(e);
    const std::string why = PictureDataProblem(data);
    if (!why.empty()) check.Report(file, 0, "picture \"" + e.name + "\" is " + why);
  }
}

}  // namespace kncheck
