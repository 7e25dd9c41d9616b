#include "movies/MovieLayout.h"

#include "course/AsciiCase.h"
#include "movies/MovieController.h"

namespace movie_layout {

QSize ClientSize(QSize natural, int numerator, int denominator) {
  if (denominator <= 0 || numerator < 0) return QSize();
  const int width = natural.width() * numerator / denominator;
  const int height = natural.height() * numerator / denominator;
  return QSize(width + kClientMargin, CMovieController::kHeight + height + kClientMargin);
}

QRect CloseButtonRect(const QRect& movieBox) {
  const QPoint bottomRight = movieBox.bottomRight() - QPoint(kCloseButtonInset, kCloseButtonInset);
  return QRect(bottomRight - QPoint(kCloseButtonSize.width() - 1, kCloseButtonSize.height() - 1), kCloseButtonSize);
}

std::string TranscriptPath(std::string_view moviePath) {
  std::string path = ToAsciiLower(moviePath);
  const std::size_t at = path.rfind(".mov");
  if (at == std::string::npos) return {};
  path.replace(at, 4, ".mtx");
  return path;
}

std::string FailureDescription(std::string_view reason) {
  return reason.empty() ? std::string("unknown error") : std::string(reason);
}

}  // namespace movie_layout
