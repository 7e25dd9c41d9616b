// Equations as the program's pictures: what the hypertext views, the Lesson Book and
// the glossary show in place of a "math" element.
#pragma once

#include <memory>
#include <string_view>

class Picture;

// The markup of one "math" element (its own tags included) laid out at the text size
// setting (the number of points taken as the base size in pixels, in the serif face)
// and drawn into a picture. Null when the markup makes no visible equation.
std::unique_ptr<Picture> EquationPicture(std::string_view markup, int fontSize);
