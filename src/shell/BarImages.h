// Button images of the fixed toolbars, drawn into QImages: the program's own pictures
// rendered at any size, the Go To button with the current page written into it, the
// accessories bar's Explore picture and the page's tool images.
#pragma once

#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtCore/QSize>
#include <string>
#include <string_view>

// The program picture <kind>/<id> (an SVG drawn at size, or a PNG or BMP scaled to it)
// with a transparent background; a null image when the program has none.
QImage RenderProgramImage(std::string_view kind, int id, const QSize& size);

// The current page as the navigation bar writes it: "%d-%d", the lesson number counted
// from the lesson base and the page number from 1.
std::string PageLabel(int lessonNumber, int pageNumber);

// base with label written centred in it in the bar's small font: 9 pixels for a button
// 15 pixels high, scaled with the image's height. Empty label: base unchanged.
QImage ComposeGoToImage(const QImage& base, std::string_view label, const QColor& ink);

// The Explore picture as the first accessories button shows it: drawn at 18 by 15 pixels
// for a 15-pixel-high button (scaled with the button's height), stretched when its own
// size differs, centred on a transparent image of buttonSize.
QImage ComposeExploreImage(const QImage& picture, const QSize& buttonSize);

// Bitmap number of a page's tool (tool indexes 1 to 15: "cent" to "targ"); 0 for none.
inline constexpr int kToolCount = 15;
int ToolBitmapId(int toolIndex);
