// Course markup through the tokenizer, and a hypertext page through the first
// pass, the layout of all its paragraphs and the painting of one screen.
#include <benchmark/benchmark.h>

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <cstdlib>
#include <string>

#include "hypertext/HyperDocument.h"
#include "hypertext/MarkupTokenizer.h"

namespace {

// One paragraph as course texts write them: running text with bold, italics,
// defined terms, entities and a font change, about 80 words. Each paragraph
// draws its words from a vocabulary of a few hundred, so that a page holds
// many different words, as real pages do.
std::string Paragraph(int n) {
  static const char* const kWords[] = {
      "the", "of", "a", "to", "and", "in", "is", "that", "values", "data", "mean", "median", "sample",
      "population", "spread", "variable", "distribution", "normal", "observations", "standard", "error",
      "interval", "confidence", "probability", "random", "estimate", "parameter", "statistic", "hypothesis",
      "test", "significance", "outlier", "skewed", "symmetric", "histogram", "stemplot", "boxplot",
      "quartile", "percentile", "correlation", "regression", "residual", "slope", "intercept", "predicted",
      "explanatory", "response", "categorical", "quantitative", "experiment", "survey", "bias", "variance",
      "independent", "events", "binomial", "trials", "success", "failure", "expected", "count", "proportion",
      "difference", "between", "two", "groups", "larger", "smaller", "center", "shape", "unusual", "pattern",
      "lesson", "chapter", "exercise", "compare", "describe", "explain", "calculate", "observe", "because",
      "when", "while", "which", "their", "about", "around", "approximately", "roughly", "exactly", "several",
      "measurement", "accuracy", "precision", "sampling", "variability", "simulation", "repeated", "trial"};
  constexpr int kCount = static_cast<int>(sizeof kWords / sizeof kWords[0]);
  std::uint32_t seed = 2654435761u * static_cast<std::uint32_t>(n + 1);
  auto word = [&] {
    seed = seed * 1664525u + 1013904223u;
    std::string w = kWords[(seed >> 8) % kCount];
    if ((seed >> 20) % 7 == 0) w += std::to_string((seed >> 4) % 1000);
    return w;
  };
  std::string text = "<p>In lesson " + std::to_string(n) + " ";
  for (int i = 0; i < 80; ++i) {
    switch (i % 20) {
      case 3: text += "<dfn>" + word() + " " + word() + "</dfn t=\"" + word() + " " + word() + "\">"; break;
      case 7: text += "<b>" + word() + "</b>"; break;
      case 11: text += "<i>" + word() + "</i>"; break;
      case 13: text += "x &lt; y &plusmn; &theta;"; break;
      case 17: text += "<font size=+1>" + word() + "</font>"; break;
      default: text += word(); break;
    }
    text += (i % 9 == 8) ? ".\n" : " ";
  }
  return text + "\n";
}

std::string Markup(std::size_t bytes) {
  std::string text;
  for (int n = 0; text.size() < bytes; ++n) text += Paragraph(n);
  text.resize(bytes);
  return text;
}

void BM_TokenizeMegabyte(benchmark::State& state) {
  const std::string text = Markup(1 << 20);
  const bool passThrough = state.range(0) != 0;
  std::size_t events = 0;
  for (auto _ : state) {
    Tokenize(
        text,
        [&events](MarkupEvent& e) {
          ++events;
          e.ConsumeText();
        },
        passThrough);
  }
  benchmark::DoNotOptimize(events);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_TokenizeMegabyte)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

std::string Page(int paragraphs) {
  std::string text = "<title>Spread</title><h2>Measuring spread</h2>\n";
  for (int n = 0; n < paragraphs; ++n) text += Paragraph(n);
  return text;
}

void BM_LayOutPage(benchmark::State& state) {
  HyperDocument document;
  document.SetText(Page(static_cast<int>(state.range(0))));
  int total = 0;
  for (auto _ : state) total = document.Layout(600, 400);
  benchmark::DoNotOptimize(total);
}
BENCHMARK(BM_LayOutPage)->Arg(60)->Unit(benchmark::kMillisecond);

// A window opening on the page: a new document, so no word has been measured yet.
void BM_OpenAndLayOutPage(benchmark::State& state) {
  const std::string page = Page(60);
  for (auto _ : state) {
    HyperDocument document;
    document.SetText(page);
    benchmark::DoNotOptimize(document.Layout(600, 400));
  }
}
BENCHMARK(BM_OpenAndLayOutPage)->Unit(benchmark::kMillisecond);

void BM_PaintScreen(benchmark::State& state) {
  HyperDocument document;
  document.SetText(Page(60));
  document.Layout(600, 400);
  QImage image(600, 400, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    document.Paint(painter, image.rect(), 1000);
  }
}
BENCHMARK(BM_PaintScreen)->Unit(benchmark::kMillisecond);

}  // namespace
