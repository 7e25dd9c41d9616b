// The Welcome window, on screen whenever the program waits with no student progress file
// open: the course's welcome picture (or its movie) and three buttons that post their
// commands to the main frame: "&Open student file" (57601), "&New student file" (57600)
// and "E&xit <application>" (57665).
#pragma once

#include <QtWidgets/QDialog>
#include <filesystem>
#include <functional>

class QPushButton;

class CSplashDlg : public QDialog {
 public:
  static constexpr QSize kClientSize{400, 300};

  explicit CSplashDlg(QWidget* frame);

  QPushButton* button(int commandId) const;
  // The movie playing behind the buttons, or null.
  QWidget* movie() const { return m_movie; }

  // How the movie component plays the welcome movie: a widget showing the movie at path,
  // playing while the window is active; null when it cannot. Until one is set the
  // Welcome window shows its picture.
  using MovieMaker = std::function<QWidget*(const std::filesystem::path& path, QWidget* parent)>;
  static void SetMovieMaker(MovieMaker maker);
  // The "cannot find the movie" notice is shown once per run; tests start a new run.
  static void ResetMovieNotice();
  // The welcome movie the personality names ("Splash Movie"), when it is found in the
  // course locations: whether a Welcome window will want the movie library.
  static bool FindWelcomeMovie(std::filesystem::path& path);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void StartMovie();

  QPushButton* m_buttons[3] = {};
  QImage m_picture;
  QWidget* m_movie = nullptr;
  bool m_movieTried = false;
};
