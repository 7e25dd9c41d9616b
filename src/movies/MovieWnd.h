// CMovieWnd: the movie window, the one window that plays movie activities. At most one
// exists; opening another movie replaces the one shown. It sizes itself to the movie
// plus its controller, starts playing on its second timer tick, pauses while inactive,
// offers the movie's transcript (".mtx" beside the movie), and records the activity as
// completed when the movie has been played to its end.
//
// Commands (its view's menu and context menu): 9025 View Movie Text, 9066 to 9068 half,
// double and original size, Copy (the current frame), Print Preview, Close.
#pragma once

#include <QtCore/QString>
#include <functional>
#include <optional>
#include <string>

#include "course/ActivityLocator.h"
#include "launch/ActivityWindow.h"
#include "movies/MoviePlayState.h"
#include "shell/CoreWnd.h"

class CMovieView;

class CMovieWnd : public CStatWnd, public ActivityWindow {
 public:
  static constexpr int kPlacementKey = 4;
  static constexpr int kTimerInterval = 30;  // ms
  static constexpr int kHelpContext = 26022;
  static constexpr std::string_view kClassName = "CMovieWnd";

  CMovieWnd();
  ~CMovieWnd() override;

  CMovieView* movieView() const { return m_view; }

  // ActivityWindow
  std::string_view activityClass() const override { return kClassName; }
  const ActivityLocator& shownActivity() const override { return m_locator; }
  bool OpenActivity(const ActivityLocator& locator, CourseFile file) override;
  std::optional<ActivityLocator> activityLocator() const override {
    return m_loaded ? std::optional<ActivityLocator>(m_locator) : std::nullopt;
  }

  // Moves the window so that its client area has size, keeping its top-left corner. A
  // window not shown yet (its frame is still hidden) takes the size once it shows.
  void SetClientSize(QSize size);
  QSize clientSize() const;

  // One timer tick (the window's timer calls it every 30 ms while the window is active).
  CMoviePlayState::Tick Tick();

  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;

  // How a transcript is shown: the exposition text window, titled caption, showing text
  // (course bytes) for locator's activity. The hypertext windows set it; without one
  // the movie window shows the text in a plain text window of its own.
  using TextViewer = std::function<void(const QString& caption, const std::string& text, const ActivityLocator& locator)>;
  static void SetTextViewer(TextViewer viewer);
  // Closes the text window that shows locator's transcript (closing the movie closes it).
  using TextCloser = std::function<void(const ActivityLocator& locator)>;
  static void SetTextCloser(TextCloser closer);

 protected:
  void OnTimer() override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void OnActiveChanged(Qt::WindowStates oldState, Qt::WindowStates newState);
  void Fail(const std::string& reason);
  void ShowTranscript();
  void FindTranscript();

  CMovieView* m_view = nullptr;
  ActivityLocator m_locator;
  bool m_loaded = false;
  QSize m_pendingClient;  // the client size to take once shown (invalid: none)
};

// Registers the movie window with the launcher and plays the Welcome window's movie.
void InstallMovieWindows();
