// CExpoObject: one thing a script shows in an exposition view (a shape, a text, a
// picture, a movie, a control, a group or a highlight). The scene owns its objects in
// drawing order; an object configures itself from a statement's arguments, draws
// itself into the scene's back buffer, animates its entrance, exit and movement from
// the narration position (Step), and, when it is a control, answers the mouse while
// the narration is paused.
//
// Rectangles are edges with right and bottom exclusive, in drawing-area pixels.
#pragma once

#include <QtCore/QJsonObject>
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtGui/QRgb>
#include <cstdint>
#include <string>
#include <string_view>

#include "course/ResourceIds.h"
#include "exposition/ScriptValue.h"
#include "hypertext/FontDescription.h"

class ExpoScene;
class QPainter;

enum class ExpoKind : int {
  Button = 0,
  Checkbox = 1,
  Edit = 2,
  Group = 3,
  Hilite = 4,
  Iris = 5,
  Shape = 6,
  Movie = 7,
  Picture = 8,
  Radio = 9,
  Text = 10,
};
std::string_view ExpoKindName(ExpoKind kind);

struct ExpoRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  std::int32_t width() const { return right - left; }
  std::int32_t height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool isPoint() const { return right == left && bottom == top; }
  QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
  static ExpoRect FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
  QPoint topLeft() const { return {left, top}; }
  bool Contains(QPoint p) const { return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom; }
  void MoveTo(QPoint p);
  void Normalize();
  ExpoRect United(const ExpoRect& other) const;  // a rectangle without extent is ignored
  bool operator==(const ExpoRect&) const = default;
};

// A transition's state: the clock window, the kind (0, or the keyword code of dance,
// fade, grow, wipe) and what the last step computed.
struct ExpoTransition {
  std::int64_t duration = 0;
  int kind = 0;
  int parameter = 0;  // a direction code; 0 until set, read as `right`
  int frequency = 20;
  bool entrance = true;
  double fade = 0;  // 0 plain .. 1 background colour
  double grow = 0;  // 0 whole .. 1 nothing
  QRect visible;    // wipes: the shown part, drawing-area coordinates
  int diagonal = 0;
  std::uint32_t bandMask = 0xFFFF;
  double progress = 1;  // of the blocking entrance

  int direction() const;  // parameter, `right` when unset
};

struct ExpoMovement {
  QPoint origin;
  QPoint destination;
  std::int64_t duration = 0;
  bool moving = false;
};

// Per-paint values: the colour to draw in (a fade mixes it with the background for
// one paint) and how much of a grow is still hidden.
struct ExpoPaint {
  QRgb colour = 0;
  double grow = 0;
  bool translucent = false;
};

// What a mouse release asks of the window. The window acts on it after the handler
// has returned (a close button must not delete its window from inside its handler).
struct ExpoMouseResult {
  enum Action { None, Resume, Close, ShowHint } action = None;
  std::string text;  // the hint
};

// Over a clickable object the pointer is the pointing hand, while pressed the pressing hand.
inline constexpr int kPointingHandCursor = cur::kPointingHand;
inline constexpr int kPressedHandCursor = cur::kPress;

class CExpoObject {
 public:
  static constexpr std::size_t kNameLimit = 31;

  explicit CExpoObject(ExpoKind kind) : m_kind(kind) {}
  virtual ~CExpoObject() = default;
  CExpoObject(const CExpoObject&) = delete;
  CExpoObject& operator=(const CExpoObject&) = delete;

  ExpoKind kind() const { return m_kind; }
  const std::string& name() const { return m_name; }
  void SetName(std::string_view name);
  const ExpoRect& rect() const { return m_rect; }
  const FontDescription& textAttributes() const { return m_text; }
  QRgb colour() const { return m_text.colour; }
  int alpha() const { return m_alpha; }
  int overlay() const { return m_overlay; }
  bool translucent() const { return m_alpha > 0 || m_overlay != 0; }
  bool visible() const { return m_visible; }
  bool configured() const { return m_configured; }
  bool isControl() const { return m_control; }
  bool enabled() const { return m_enabled; }
  bool pressed() const { return m_pressed; }
  bool selected() const { return m_selected; }
  std::int64_t start() const { return m_start; }
  const ExpoTransition& transition() const { return m_transition; }
  const ExpoMovement& movement() const { return m_movement; }

  // The common configure step around the kind's own: takes the pen, the current text
  // attributes and the position from the scene, hands every argument to
  // SetAttribute, keeps a transition only with a duration (except dance). False
  // when the kind rejects its arguments; the object is then discarded.
  bool Configure(ExpoScene& scene, ScriptValueList& args);
  // One argument (code 0: the positional one). Kinds handle their own codes and pass
  // the rest here; unknown codes and unconvertible values are ignored.
  virtual void SetAttribute(int code, ScriptValue& value);

  // The rectangle; with moved, offset to a pending movement's destination.
  virtual ExpoRect BoundingBox(bool moved = false) const;
  void Invalidate() const;
  virtual bool HitTest(QPoint p) const { return m_visible && m_rect.Contains(p); }

  // Draws the object plainly (or as the per-paint values say) into the painter, in
  // drawing-area coordinates.
  virtual void Paint(QPainter& painter, const ExpoPaint& paint) const = 0;
  // The frame of a blocking entrance at transition().progress, drawn over the scene.
  virtual void PaintEntranceFrame(QPainter& painter) const;
  // Draws with the object's transition: fade colour, grow fraction, wipe and dance clips.
  void PaintWithTransition(QPainter& painter, const QRect& bounds) const;

  // Advances transition and movement to position p; true when the object must be
  // removed (its exit has ended).
  bool Step(std::int64_t p);
  // A timed transition starting at position start (an exit takes the exit direction).
  void StartTransition(int kind, std::int64_t duration, int parameter, bool entrance, std::int64_t start);
  // Moves the top-left to point (or by it, relative) over duration samples from start;
  // without a duration at once.
  void Move(QPoint point, bool relative, std::int64_t duration, std::int64_t start);
  virtual void SetRect(const ExpoRect& rect);
  virtual void SetTextAttributes(const FontDescription& text);
  void SetColour(QRgb colour);
  void Enable(bool enabled);
  void SetSelected(bool selected) { m_selected = selected; }
  // Whether the blocking entrance applies: an overlay and a duration.
  bool WantsBlockingEntrance() const { return m_overlay != 0 && m_transition.duration > 0; }
  void SetEntranceProgress(double x) { m_transition.progress = x; }
  void ClearTransitionDuration() { m_transition.duration = 0; }

  // Controls answer the mouse only while the narration is paused in an enabled
  // window that plays against a clock.
  virtual bool Clickable() const;
  virtual bool MouseDown(QPoint p) { return false; }
  // A press goes straight on to the release handling (pictures with `mousedown`).
  virtual bool ReleasesOnPress() const { return false; }
  virtual void MouseMove(QPoint p) {}
  virtual ExpoMouseResult MouseUp(QPoint p) { return {}; }
  // The cursor resource over the object: 0 for the view's own.
  virtual int Cursor() const;

  // Kind-specific entries of the scene snapshot (text, checked, form...).
  virtual void WriteSnapshot(QJsonObject& out) const {}
  // The text an `answer` or the snapshot reads: caption, typed text, paragraph.
  virtual std::string Text() const { return {}; }

 protected:
  // Before the arguments (defaults that differ from the common ones) and after them
  // (size rules, pen movement); FinishConfigure returns false to reject.
  virtual void BeginConfigure() {}
  virtual bool FinishConfigure() { return true; }
  // The top-left changed (a move); kinds with native pieces follow.
  virtual void Moved() {}
  // The transition changed what the object shows; redraws by default.
  void SetControl(bool control) { m_control = control; }

  ExpoScene* m_scene = nullptr;
  ExpoRect m_rect;
  FontDescription m_text;
  std::string m_name;
  int m_alpha = 0;
  int m_overlay = 0;
  bool m_alphaSet = false;
  bool m_visible = true;
  bool m_enabled = true;
  bool m_pressed = false;
  bool m_selected = false;
  bool m_toSet = false;  // a `to` corner was given (shapes keep the order of their corners)
  bool m_sizeSet = false;
  bool m_durationGiven = false;
  QPoint m_toPoint;
  ExpoTransition m_transition;
  ExpoMovement m_movement;
  std::int64_t m_start = 0;  // shared by transition and movement: the last to start sets it

 private:
  void ApplyHidden(double h);

  ExpoKind m_kind;
  bool m_control = false;
  bool m_configured = false;
};

// Value readers for attributes: false (nothing changed) when the value cannot be
// converted.
bool ArgInteger(const ScriptValue& v, std::int32_t& out);
bool ArgReal(const ScriptValue& v, double& out);
bool ArgFlag(const ScriptValue& v, bool& out);
bool ArgText(const ScriptValue& v, std::string& out);
QRgb ColourWordToRgb(std::uint32_t word);
