// Helpers of the scene tests: argument lists, a host with pictures, a movie and a
// clock the test drives, and pixel checks with a tolerance.
#pragma once

#include <QtGui/QImage>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include "exposition/ExpoHost.h"
#include "exposition/ExpoScene.h"
#include "exposition/ExpoTransition.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptColours.h"

namespace expotest {

inline ScriptValue T(const char* text) { return ScriptValue::Text(text); }
inline ScriptValue I(int v) { return ScriptValue::Integer(v); }
inline ScriptValue R(float v) { return ScriptValue::Real(v); }
inline ScriptValue K(int code) { return ScriptValue::Keyword(code); }
inline ScriptValue P(int x, int y) { return ScriptValue::Point(x, y); }
inline ScriptValue C(int r, int g, int b) { return ScriptValue::Colour(ColourWord(r, g, b)); }
inline ScriptValueList Args(std::initializer_list<ScriptValue> values) { return ScriptValueList(values); }

inline std::int64_t Seconds(double s) { return static_cast<std::int64_t>(s * kExpoClockRate); }

class FakeMovie : public ExpoMovie {
 public:
  QSize NaturalSize() const override { return {40, 30}; }
  std::int64_t DurationSamples() const override { return Seconds(3); }
  void SetLoop(bool loop, bool palindrome) override { this->loop = loop, this->palindrome = palindrome; }
  void SetPreview(std::int64_t start) override { preview = start; }
  void SetRate(double r) override { rate = r; }
  void Follow(std::int64_t samples, bool p) override { at = samples, playing = p; }
  QImage CurrentFrame() override {
    QImage frame(40, 30, QImage::Format_RGB32);
    frame.fill(qRgb(0, 128, 0));
    return frame;
  }
  bool loop = false, palindrome = false, playing = false;
  std::int64_t preview = -1, at = -1;
  double rate = 0;
};

class TestHost : public ExpoHost {
 public:
  QImage LoadPicture(std::string_view name) override {
    auto it = pictures.find(std::string(name));
    return it == pictures.end() ? QImage() : it->second;
  }
  std::unique_ptr<ExpoMovie> OpenMovie(std::string_view name) override {
    if (name != "clip") return nullptr;
    auto m = std::make_unique<FakeMovie>();
    lastMovie = m.get();
    return m;
  }
  std::uint32_t Milliseconds() const override { return clock += step; }
  void ShowEntranceFrame(const CExpoObject& o) override { frames.push_back(o.transition().progress); }

  std::map<std::string, QImage> pictures;
  FakeMovie* lastMovie = nullptr;
  mutable std::uint32_t clock = 0xFFFFFF00u;  // wraps during the test
  std::uint32_t step = 0;
  std::vector<double> frames;
};

inline bool Near(QRgb a, QRgb b, int tolerance = 3) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

inline std::string Hex(QRgb c) {
  char b[16];
  std::snprintf(b, sizeof b, "#%02x%02x%02x", qRed(c), qGreen(c), qBlue(c));
  return b;
}

}  // namespace expotest
