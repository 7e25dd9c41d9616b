// An equation's markup: the element tree, its layout at two sizes and its drawing.
// Every box must stay within the sizes the layout allows and the tree within its
// depth and element limits.
#include <QtGui/QGuiApplication>
#include <QtGui/QPicture>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "equations/EquationLayout.h"

namespace {

struct Bounds {
  int depth = 0;
  int elements = 0;
};

void Check(const EqNode& n, int depth, Bounds& b) {
  if (n.size < 1 || n.size > kEqMaxSize) __builtin_trap();
  if (n.width < 0 || n.ascent < 0 || n.descent < 0) __builtin_trap();
  if (n.text.size() > EqNode::kTextLimit) __builtin_trap();
  b.depth = depth > b.depth ? depth : b.depth;
  ++b.elements;
  for (const auto& c : n.children) {
    if (c->parent != &n) __builtin_trap();
    Check(*c, depth + 1, b);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static EquationFonts fonts;
  const std::string_view markup(reinterpret_cast<const char*>(data), size);
  for (int base : {1, 14}) {
    auto tree = BuildEquation(markup);
    if (!tree) return 0;
    auto picture = RenderEquation(*tree, base, kEqSerif, fonts);
    Bounds b;
    Check(*tree, 1, b);
    if (b.depth > EquationBuilder::kDepthLimit + 1 || b.elements > EquationBuilder::kElementLimit + 1) __builtin_trap();
    if (picture && picture->boundingRect().width() != tree->width) __builtin_trap();
  }
  return 0;
}
