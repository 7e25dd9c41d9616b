// ExpoScene: the objects of one exposition view and the drawing state the statements
// keep for them (pen, current text attributes, current pen of shapes), the narration
// position they follow, and the back buffer they are drawn into. The scene owns its
// objects in drawing order (first is at the back) and reaches the window only through
// its ExpoHost, so it runs headless in tests, tools and kncourse.
#pragma once

#include <QtCore/QJsonObject>
#include <QtCore/QPoint>
#include <QtCore/QSize>
#include <QtGui/QImage>
#include <QtGui/QRgb>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "exposition/ExpoHost.h"
#include "exposition/ExpoObject.h"
#include "exposition/ScriptValue.h"
#include "hypertext/FontDescription.h"

class QPainter;

class ExpoScene {
 public:
  // host may be null (a plain host: no pictures, no movies, plain edit fields); it
  // must outlive the scene.
  explicit ExpoScene(ExpoHost* host = nullptr);
  ~ExpoScene();
  ExpoScene(const ExpoScene&) = delete;
  ExpoScene& operator=(const ExpoScene&) = delete;

  ExpoHost& host() const { return *m_host; }

  // --- State the statements keep ---
  QPoint pen{8, 8};  // x = -1: centred
  FontDescription text;
  int penWidth = 1;
  Qt::PenStyle penStyle = Qt::SolidLine;
  Qt::PenCapStyle penCap = Qt::FlatCap;
  int arrowHead = 12;
  QSize area{600, 440};  // the drawing area
  QRgb background = qRgb(255, 255, 255);
  QSize buttonMargins{24, 8};  // added to a caption's extent (both sides together)
  std::string lastButton;

  // --- The window's narration, as the objects read it ---
  std::int64_t position = 0;       // samples of the 22 050 Hz clock
  std::int64_t narrationEnd = 0;   // the end of the narration
  bool fastForwarding = false;
  bool hasClock = true;
  bool paused = false;
  bool windowEnabled = true;

  // --- Objects ---
  // Creates, configures and places the object a statement asks for (command is the
  // statement's keyword: button, checkbox, ask, display, arc, ...): an object whose
  // configure step rejects its arguments is discarded (null). A centred object is
  // moved to the middle of the drawing area; an overlay object with a duration runs
  // its blocking entrance unless the window is fast-forwarding.
  CExpoObject* Create(int command, ScriptValueList& args);
  // The object a command creates, unconfigured; null for other commands.
  static std::unique_ptr<CExpoObject> NewObject(int command);
  CExpoObject* Append(std::unique_ptr<CExpoObject> object);
  void Remove(CExpoObject* object);
  // Takes the object out of the list (null if it is not there) and puts an object back
  // at a position of the drawing order (clamped to the list).
  std::unique_ptr<CExpoObject> Take(CExpoObject* object);
  CExpoObject* Insert(std::unique_ptr<CExpoObject> object, int at);
  void Clear();
  const std::vector<std::unique_ptr<CExpoObject>>& objects() const { return m_objects; }
  int IndexOf(const CExpoObject* object) const;

  // Every object a name or list of names selects, compared without regard to case;
  // groups are replaced by their members (groups naming each other are followed once),
  // duplicates are dropped, order of first appearance kept.
  std::vector<CExpoObject*> Resolve(const ScriptValue& names) const;
  std::vector<CExpoObject*> Resolve(std::string_view name) const;
  // The union of the objects' boxes (moved: at their pending destinations); empty
  // when none has one.
  ExpoRect JointBox(const std::vector<CExpoObject*>& objects, bool moved = false) const;
  // A group's members, expanded; visited guards against cycles.
  void ExpandGroup(const CExpoObject& group, std::vector<CExpoObject*>& out,
                   std::vector<const CExpoObject*>& visited) const;

  // Steps every object to position p and removes those whose exit has ended.
  // Returns how many were removed.
  int Step(std::int64_t p);
  // A movie object's narration follows the window (start, stop, seek).
  void FollowPlayback(bool playing);

  // Drawing. The back buffer is RGB32 at the screen's device-pixel ratio; all
  // geometry is in drawing-area pixels. Opaque objects are drawn first, then
  // translucent ones with the AND pen.
  static QImage NewBackBuffer(QSize area, qreal devicePixelRatio);
  void Paint(QPainter& painter, const QRect& clip) const;
  QImage Render(qreal devicePixelRatio = 1.0) const;
  // The scene during a blocking entrance: everything, then the object's entrance frame.
  QImage RenderEntranceFrame(const CExpoObject& object, qreal devicePixelRatio = 1.0) const;
  void Invalidate(const QRect& rect) const { m_host->Invalidate(rect); }

  // The blocking entrance: runs object's entrance on the host's clock, at most
  // kEntranceCapMs long, then clears its duration.
  static constexpr std::int64_t kEntranceCapMs = 5000;
  void RunBlockingEntrance(CExpoObject& object);

  // Mouse. ObjectAt is the topmost visible object under p.
  CExpoObject* ObjectAt(QPoint p) const;
  // A press; true when an object took it. A picture that acts on the press itself
  // reports its release in immediate.
  bool MouseDown(QPoint p, ExpoMouseResult* immediate = nullptr);
  void MouseMove(QPoint p);
  ExpoMouseResult MouseUp(QPoint p);
  int CursorAt(QPoint p) const;
  CExpoObject* captured() const { return m_captured; }
  // Gives the focus to object (null: to none); every other object loses it.
  void Select(CExpoObject* object);

  // Preloaded movies, by lower-case name (at most 31 characters).
  std::map<std::string, std::unique_ptr<ExpoMovie>>& preloaded() { return m_preloaded; }

  // The private generator of the noise and shimmer dots: painting never consumes the
  // draws of the program's own generator.
  std::minstd_rand& random() const { return m_random; }

  // The whole scene as JSON: area, pen, position, and every object's kind, name,
  // rectangle [l, t, r, b], colour "#rrggbb", text, size, style, alpha, visibility,
  // transition state and movement.
  QJsonObject Snapshot() const;
  std::string SnapshotJson() const;

 private:
  ExpoHost m_plainHost;
  ExpoHost* m_host;
  std::vector<std::unique_ptr<CExpoObject>> m_objects;
  std::map<std::string, std::unique_ptr<ExpoMovie>> m_preloaded;
  CExpoObject* m_captured = nullptr;
  mutable std::minstd_rand m_random{0x4B6E};
};
