// CMovieView: the view of the movie window. It owns the movie and the controller drawn
// under it, sizes nothing itself (the window does), and turns the window's 30 ms timer
// ticks, activation changes and input into calls on the controller through the play
// sequence of CMoviePlayState: the first tick marks the movie started, the second plays
// it, a later one notices the end and shows the "Close" button. While the movie plays the
// pointer hides once it has rested 2 s over the view.
//
// The controller sits at the top-left; the client area is the controller's bounds plus
// movie_layout::kClientMargin pixels across and down.
#pragma once

#include <QtCore/QElapsedTimer>
#include <memory>
#include <string>

#include "movies/MoviePlayState.h"
#include "shell/CoreView.h"

class CMovie;
class CMovieController;
class CMovieSoundPlayer;
class CourseFile;
class QPushButton;

class CMovieView : public CCoreView {
 public:
  explicit CMovieView(QWidget* parent = nullptr);
  ~CMovieView() override;

  // Takes file and makes the movie and its controller. Throws CourseFileError when the
  // movie cannot be played (its reason() is the description shown).
  void Load(CourseFile file);
  // Disposes of the movie and controller, removes the Close button, forgets the transcript.
  void Unload();

  CMovie* movie() const { return m_movie.get(); }
  CMovieController* controller() const { return m_controller.get(); }
  QSize naturalSize() const;
  // The full path of the transcript (empty: none).
  const std::string& transcriptPath() const { return m_transcriptPath; }
  void SetTranscriptPath(std::string path) { m_transcriptPath = std::move(path); }
  QPushButton* closeButton() const { return m_closeButton; }
  const CMoviePlayState* playState() const { return m_state.get(); }

  // One timer tick (the sound follows the picture); openTextPreference: the learner's "Show exposition text first".
  CMoviePlayState::Tick Tick(bool openTextPreference);
  // The window became active or inactive (or minimised).
  void SetActive(bool active);
  bool pointerHidden() const { return m_pointerHidden; }

  // The frame at the controller's current time (null without a movie).
  QImage CurrentFrame() const;

  void PaintContent(QPainter& painter, const QRect& rect, bool printing) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void ShowCloseButton();
  void RemoveCloseButton();
  void ShowPointer(bool shown);
  void UpdateCursorShape();
  std::int64_t NowMs() const { return m_clock.elapsed(); }

  std::unique_ptr<CMovie> m_movie;
  std::unique_ptr<CMovieController> m_controller;
  std::unique_ptr<CMoviePlayState> m_state;
  std::unique_ptr<CMovieSoundPlayer> m_sound;  // none for a movie without sound or without output
  std::string m_transcriptPath;
  QPushButton* m_closeButton = nullptr;
  QElapsedTimer m_clock;
  bool m_pointerHidden = false;
  QPoint m_lastPointer{-1, -1};
};
