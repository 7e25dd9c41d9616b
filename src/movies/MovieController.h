// CMovieController: the movie controller the program draws itself, standing in for the
// movie library's standard controller. It owns the layout of a movie with a bar of
// kHeight pixels under it (play/pause button, position bar with a thumb, the current
// time), draws both into any QPainter, hit-tests points, and turns mouse and key input
// into actions on the movie: the button plays and pauses, dragging along the bar goes
// to a time, the keys play, pause and step.
//
// The controller refers to the movie, which must outlive it; it owns neither the movie
// nor the window. Everything runs on the user-interface thread.
#pragma once

#include <cstdint>
#include <string>

#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSize>

#include "movies/MovieTime.h"

class CMovie;
class QPainter;

class CMovieController {
 public:
  static constexpr int kHeight = 16;          // of the bar under the movie
  static constexpr std::uint32_t kPlaying = 0x40;  // Info(): the movie is playing

  enum class Part { None, Movie, PlayButton, PositionBar, Time };

  // A controller for movie with the movie at its natural size and the bar below it,
  // its top-left corner at topLeft.
  CMovieController(CMovie& movie, QPoint topLeft = QPoint(0, 0));
  CMovieController(const CMovieController&) = delete;
  CMovieController& operator=(const CMovieController&) = delete;

  // The bounds of a controller showing a movie of natural size at topLeft.
  static QRect NaturalBounds(QSize natural, QPoint topLeft = QPoint(0, 0));

  // The whole controller: the movie is stretched to fill all of it above the bar.
  void SetBounds(const QRect& bounds);
  QRect Bounds() const { return m_bounds; }
  QRect MovieRect() const;
  QRect BarRect() const;
  QRect ButtonRect() const;
  QRect TrackRect() const;  // where the thumb travels
  QRect ThumbRect() const;
  QRect TimeRect() const;   // empty when the bar is too narrow for the time
  Part HitTest(QPoint point) const;

  // Position along the track for a time, and back (clamped to the movie).
  int TimeToX(MovieTime time) const;
  MovieTime XToTime(int x) const;

  // Draws the current frame into the movie rectangle and the bar under it.
  void Draw(QPainter& painter);
  void DrawBar(QPainter& painter);

  // The timer's call: services the movie. True when what the controller shows changed
  // (time, or playing state) and it should be drawn again.
  bool Idle();
  std::uint32_t Info() const;
  MovieTime CurrentTime() const;
  MovieTime Duration() const;
  // Plays at rate (1.0 plays, 0 pauses).
  void Play(double rate);

  // An inactive controller is drawn dimmed and ignores input.
  void Activate(bool active) { m_active = active; }
  bool IsActive() const { return m_active; }
  void EnableKeys(bool enabled) { m_keysEnabled = enabled; }
  bool KeysEnabled() const { return m_keysEnabled; }

  // Input offered to the controller first; true when it handled it (and it goes no
  // further). key is a Qt::Key.
  bool MousePress(QPoint point);
  bool MouseMove(QPoint point);
  bool MouseRelease(QPoint point);
  bool KeyPress(int key);
  bool IsDragging() const { return m_dragging; }

  // "m:ss", or "h:mm:ss" from an hour on.
  static std::string FormatTime(MovieTime time);

 private:
  void TogglePlay();
  void Step(int frames);

  CMovie& m_movie;
  QRect m_bounds;
  bool m_active = true;
  bool m_keysEnabled = false;
  bool m_dragging = false;
  bool m_resumeAfterDrag = false;
  std::uint32_t m_lastInfo = 0;
};
