// The program's own pictures the Lesson Book draws (page chrome, state marks, the clock,
// kind and goal icons, the dog ear, asterisk markers), by resource kind and number:
// SVG drawings (or PNG pictures) under resources/. Each is rendered once per size and
// device pixel ratio and kept for the run; only the user-interface thread uses them.
#pragma once

#include <QtCore/QSize>
#include <QtGui/QImage>
#include <memory>
#include <string_view>

class Picture;

// The picture's own size (an SVG's width and height); empty when the program has none.
QSize LessonArtSize(std::string_view kind, int id);
// The picture at size (its own size when size is empty), sharp at devicePixelRatio; a
// null image when the program has none. The image's device pixel ratio is set, so it
// draws at size in device-independent pixels.
QImage LessonArtImage(std::string_view kind, int id, QSize size = {}, qreal devicePixelRatio = 1.0);
// The picture as a Picture (an RGBA image: transparent where the drawing leaves the
// background), for drawing with a drop shadow and hit testing by its opaque region.
// Null when the program has none.
std::unique_ptr<Picture> LessonArtPicture(std::string_view kind, int id, QSize size = {});
