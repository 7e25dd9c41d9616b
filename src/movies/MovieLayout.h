// What the movie window derives from its movie: client sizes for the resize commands,
// where the Close button goes when the movie has ended, the transcript's file name and
// the description shown when a movie cannot be played.
#pragma once

#include <string>
#include <string_view>

#include <QtCore/QRect>
#include <QtCore/QSize>

namespace movie_layout {

// The client area holds the controller bounds plus this many pixels across and down.
inline constexpr int kClientMargin = 4;
inline constexpr QSize kCloseButtonSize{76, 22};
inline constexpr int kCloseButtonInset = 4;

// Client area for the movie scaled by numerator/denominator (1/2, 2/1, 1/1) with the
// controller bar under it.
QSize ClientSize(QSize natural, int numerator, int denominator);

// The Close button: its bottom-right corner kCloseButtonInset pixels inside movieBox's.
QRect CloseButtonRect(const QRect& movieBox);

// The transcript beside a movie: the movie's course-relative path lower-cased, with
// its last ".mov" replaced by ".mtx"; empty when the name has no ".mov".
std::string TranscriptPath(std::string_view moviePath);

// The failure text for "Could not play the movie because of error '%s'.".
std::string FailureDescription(std::string_view reason);

}  // namespace movie_layout
