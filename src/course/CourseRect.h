// A window rectangle as course data and the preferences keep it: edges, not a size,
// with right and bottom exclusive (width = right - left). Coordinates are pixels.
#pragma once

#include <cstdint>

struct CourseRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  std::int32_t width() const { return right - left; }
  std::int32_t height() const { return bottom - top; }
  bool operator==(const CourseRect&) const = default;
};

struct CourseSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const CourseSize&) const = default;
};
