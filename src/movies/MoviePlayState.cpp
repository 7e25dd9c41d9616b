#include "movies/MoviePlayState.h"

#include "movies/MovieController.h"

CMoviePlayState::CMoviePlayState(CMovieController& controller) : m_controller(controller) {}

CMoviePlayState::Tick CMoviePlayState::OnTick(std::int64_t nowMs, bool openTextPreference) {
  Tick t;
  t.redraw = m_controller.Idle();
  const bool playing = (m_controller.Info() & CMovieController::kPlaying) != 0;
  if (playing != m_wasPlaying) {
    m_wasPlaying = playing;
    t.playingChanged = true;
  }
  if (m_ticks == 0) {
    m_ticks = 1;
    t.openTranscript = openTextPreference;
  } else if (m_ticks == 1) {
    // Started on the second tick, once the window is shown and sized.
    m_ticks = 2;
    m_controller.Play(1.0);
    t.redraw = true;
  } else if (!m_ended) {
    if (!playing && m_controller.CurrentTime() >= m_controller.Duration()) {
      m_ended = true;
      t.ended = true;
      t.playingChanged = true;
    }
  } else if (playing) {
    m_ended = false;
    t.replayed = true;
  }
  t.hidePointer = playing && m_pointerInside && nowMs - m_pointerMovedMs > kPointerRestMs;
  return t;
}

void CMoviePlayState::Deactivate() {
  m_controller.Activate(false);
  if (m_controller.Info() & CMovieController::kPlaying) {
    m_controller.Play(0);
    m_resumeOnActivate = true;
  }
}

void CMoviePlayState::Activate() {
  m_controller.Activate(true);
  if (m_resumeOnActivate) {
    m_resumeOnActivate = false;
    m_controller.Play(1.0);
  }
}

void CMoviePlayState::PointerMoved(std::int64_t nowMs, bool insideClient) {
  m_pointerInside = insideClient;
  m_pointerMovedMs = nowMs;
}
