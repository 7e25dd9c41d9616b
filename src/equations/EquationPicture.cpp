#include "equations/EquationPicture.h"

#include <QtGui/QPicture>

#include "equations/EquationLayout.h"
#include "hypertext/Picture.h"

std::unique_ptr<Picture> EquationPicture(std::string_view markup, int fontSize) {
  std::unique_ptr<QPicture> drawn = RenderEquation(markup, fontSize, kEqSerif);
  if (!drawn) return nullptr;
  auto picture = std::make_unique<Picture>();
  picture->AttachMetafile(std::move(drawn));
  return picture;
}
