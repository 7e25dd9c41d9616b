// A movie playing behind other widgets (the Welcome window's): it fills the widget,
// plays from the start once shown, and is serviced every 50 ms while its window is the
// active window. A file that cannot be played only loses the movie.
#pragma once

#include <QtWidgets/QWidget>
#include <filesystem>
#include <memory>

class CMovie;

class CBackgroundMovie : public QWidget {
 public:
  static constexpr int kServiceInterval = 50;  // ms

  // Null when path cannot be played.
  static CBackgroundMovie* Make(const std::filesystem::path& path, QWidget* parent);
  ~CBackgroundMovie() override;

  CMovie* movie() const { return m_movie.get(); }
  // One service call (the timer's); true when the picture changed.
  bool Service();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  CBackgroundMovie(std::unique_ptr<CMovie> movie, QWidget* parent);
  std::unique_ptr<CMovie> m_movie;
  int m_timerId = 0;
};
