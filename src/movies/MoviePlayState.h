// CMoviePlayState: the movie window's play sequence without the window: what each
// 30 ms timer tick, each activation change and each pointer movement asks the window
// to do. The first tick may open the transcript and marks the movie started, the second
// starts it at normal speed, later ones notice the end (completion, the Close button)
// and a replay after it; a deactivated window pauses a playing movie and resumes it
// when active again; while the movie plays, the pointer hides after resting 2 s inside
// the client area.
//
// It drives the controller it is given (which must outlive it); the window carries out
// the returned requests: recording completion, the Close button, the pointer.
#pragma once

#include <cstdint>

class CMovieController;

class CMoviePlayState {
 public:
  static constexpr std::int64_t kPointerRestMs = 2000;

  // What the window does after a tick.
  struct Tick {
    bool openTranscript = false;    // post the View Movie Text command (first tick, preference on)
    bool ended = false;             // just played to its end: mark completed, show the Close button
    bool replayed = false;          // played again after the end: remove the Close button
    bool playingChanged = false;    // nudge the pointer so that its shape follows
    bool redraw = false;            // the controller shows something new
    bool hidePointer = false;       // the pointer should be hidden now (else shown)
  };

  explicit CMoviePlayState(CMovieController& controller);

  // One timer tick at nowMs (any millisecond clock). openTextPreference: the learner's
  // preference that opens exposition texts automatically.
  Tick OnTick(std::int64_t nowMs, bool openTextPreference);

  // The window became inactive or was minimised: the controller is deactivated and a
  // playing movie paused (the window shows the pointer).
  void Deactivate();
  // Active again: the controller is activated and a movie paused by Deactivate resumes.
  void Activate();

  // The pointer moved (insideClient: it is over the view's client area), or left it.
  void PointerMoved(std::int64_t nowMs, bool insideClient);
  void PointerLeft() { m_pointerInside = false; }

  bool started() const { return m_ticks >= 1; }
  bool playingStarted() const { return m_ticks >= 2; }
  bool ended() const { return m_ended; }
  bool pausedByDeactivation() const { return m_resumeOnActivate; }

 private:
  CMovieController& m_controller;
  int m_ticks = 0;
  bool m_ended = false;
  bool m_wasPlaying = false;
  bool m_resumeOnActivate = false;
  bool m_pointerInside = false;
  std::int64_t m_pointerMovedMs = 0;
};
