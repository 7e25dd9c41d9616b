#include "course/ToolWindowClass.h"

#include <array>

namespace {
constexpr std::uint32_t Code(const char (&c)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(c[0])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(c[1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(c[2])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(c[3]));
}

struct ToolEntry {
  std::uint32_t code;
  ToolWindow window;
  std::string_view className;
};

constexpr std::array<ToolEntry, 18> kTools = {{
    {Code("tfex"), ToolWindow::Expo1, "CExpo1Wnd"},    // exposition window, first layout
    {Code("tf2x"), ToolWindow::Expo2, "CExpo2Wnd"},    // second layout
    {Code("tf3x"), ToolWindow::Expo3, "CExpo3Wnd"},    // third layout
    {Code("tfc$"), ToolWindow::Code, "CCodeWnd"},      // code listing
    {Code("tfcl"), ToolWindow::Central, "CCentralWnd"},  // sampling distributions
    {Code("tfcp"), ToolWindow::Cond, "CCondWnd"},      // conditional probability
    {Code("tfdp"), ToolWindow::Dotplot, "CDotplotWnd"},  // centre and spread
    {Code("tfds"), ToolWindow::Density, "CDensityWnd"},  // inference error
    {Code("tfgs"), ToolWindow::Guess, "CGuessWnd"},    // perception experiment
    {Code("tfhs"), ToolWindow::Histo, "CHistoWnd"},    // histogram
    {Code("tfln"), ToolWindow::Line, "CLineWnd"},      // line
    {Code("tfls"), ToolWindow::Least, "CLeastWnd"},    // least squares
    {Code("tfpb"), ToolWindow::Prob, "CProbWnd"},      // probability function sampler
    {Code("tfpc"), ToolWindow::Process, "CProcessWnd"},  // control charts
    {Code("tfrn"), ToolWindow::Random, "CRandomWnd"},  // random bars
    {Code("tfsp"), ToolWindow::Scatter, "CScatterWnd"},  // scatterplot
    {Code("tftb"), ToolWindow::Table, "CTableWnd"},    // distribution tables
    {Code("tftg"), ToolWindow::Target, "CTargetWnd"},  // reaction experiment
}};
}  // namespace

ToolWindow ToolWindowClass(std::uint32_t code) {
  for (const auto& t : kTools)
    if (t.code == code) return t.window;
  return ToolWindow::Expo;
}

std::string_view ToolWindowClassName(ToolWindow window) {
  for (const auto& t : kTools)
    if (t.window == window) return t.className;
  return "CExpoWnd";
}

std::optional<std::uint32_t> ToolCodeOfScript(std::span<const std::uint8_t> fileStart) {
  if (fileStart.size() < 12) return std::nullopt;
  return static_cast<std::uint32_t>(fileStart[8]) | static_cast<std::uint32_t>(fileStart[9]) << 8 |
         static_cast<std::uint32_t>(fileStart[10]) << 16 | static_cast<std::uint32_t>(fileStart[11]) << 24;
}
