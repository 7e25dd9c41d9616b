// What the scene of an exposition needs from the window that shows it. The native
// pieces (the edit field of `ask`, the movies) and the resources (pictures) reach the
// scene through these small interfaces, so that the scene runs without a window: the
// program gives it a line edit, the movie component and the exposition file's
// pictures; tests and tools give it a plain text store and fakes.
#pragma once

#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CExpoObject;

// A single-line edit control placed over an `ask` object.
class ExpoEditField {
 public:
  virtual ~ExpoEditField() = default;
  virtual void SetText(const QString& text, bool selectAll) = 0;
  virtual QString Text() const = 0;
  virtual void SetLimit(int characters) = 0;
  virtual void SetGeometry(const QRect& rect) = 0;
  virtual void SetFont(const QFont& font) = 0;
  virtual void SetBorder(bool border) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetFocus() = 0;
};

// The edit field of a scene without a window: it stores the text and its limit.
class PlainEditField : public ExpoEditField {
 public:
  void SetText(const QString& text, bool) override { m_text = text.left(m_limit); }
  QString Text() const override { return m_text; }
  void SetLimit(int characters) override {
    m_limit = characters;
    m_text.truncate(m_limit);
  }
  void SetGeometry(const QRect& rect) override { m_rect = rect; }
  void SetFont(const QFont&) override {}
  void SetBorder(bool border) override { m_border = border; }
  void SetVisible(bool visible) override { m_visible = visible; }
  void SetFocus() override { m_focus = true; }

  QRect geometry() const { return m_rect; }
  bool border() const { return m_border; }
  bool visible() const { return m_visible; }
  bool focused() const { return m_focus; }
  int limit() const { return m_limit; }

 private:
  QString m_text;
  QRect m_rect;
  int m_limit = 32767;
  bool m_border = true;
  bool m_visible = true;
  bool m_focus = false;
};

// An open movie as a `movie` object shows it. Times are samples of the 22 050 Hz clock.
class ExpoMovie {
 public:
  virtual ~ExpoMovie() = default;
  virtual QSize NaturalSize() const = 0;
  virtual std::int64_t DurationSamples() const = 0;
  virtual void SetLoop(bool loop, bool palindrome) = 0;
  virtual void SetPreview(std::int64_t startSamples) = 0;
  virtual void SetRate(double rate) = 0;
  // The narration's position relative to the movie's start, and whether it plays.
  virtual void Follow(std::int64_t samples, bool playing) = 0;
  virtual QImage CurrentFrame() = 0;
};

class ExpoHost {
 public:
  virtual ~ExpoHost() = default;
  // A picture by the name a script gives (embedded entries first, then files); a null
  // image when there is none.
  virtual QImage LoadPicture(std::string_view name) { return {}; }
  // A movie by its lower-case name; null when it cannot be opened.
  virtual std::unique_ptr<ExpoMovie> OpenMovie(std::string_view name) { return nullptr; }
  // The native edit field; null gives a PlainEditField.
  virtual std::unique_ptr<ExpoEditField> CreateEditField() { return nullptr; }
  // The area (drawing-area coordinates) must be drawn again.
  virtual void Invalidate(const QRect& rect) {}
  // A steady millisecond clock: dances and the blocking entrance run on it.
  virtual std::uint32_t Milliseconds() const;
  // During a blocking entrance: show the scene now, with object's entrance frame on
  // top (CExpoObject::PaintEntranceFrame), then let the audio output refill.
  virtual void ShowEntranceFrame(const CExpoObject& object) {}
  virtual void ProcessAudio() {}
};
