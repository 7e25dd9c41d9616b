// The bookkeeping of the progress dialog: position, the throttle that keeps a long loop
// from redrawing on every step, and the cancelled state. Times are milliseconds from any
// monotonic origin; the dialog passes its clock in, tests pass their own.
#pragma once

#include <cstdint>

class ProgressMeter {
 public:
  static constexpr std::int64_t kRedrawInterval = 200;  // ms
  static constexpr int kRedrawPerMille = 5;             // of the total

  // Starts over: total units (negative counts as 0), position 0, nothing cancelled.
  void Start(std::int64_t total, bool cancellable, std::int64_t now);

  // Sets the position to amount (absolute) or advances it by amount, never beyond the
  // total nor below 0. True when the dialog should be brought up to date now: the
  // position has advanced by at least 5 thousandths of the total since it was last drawn,
  // or 200 ms have passed since the last update. A redraw for a non-zero amount makes
  // the position the drawn one; every redraw notes the time.
  struct StepResult {
    bool update = false;     // repaint the dialog and look for a Cancel press
    bool setControl = false; // move the progress control to position()
  };
  StepResult Step(std::int64_t amount, bool absolute, std::int64_t now);

  // Sets the cancelled state when cancelling is offered.
  void Cancel();

  std::int64_t total() const { return m_total; }
  std::int64_t position() const { return m_position; }
  std::int64_t drawn() const { return m_drawn; }
  bool cancellable() const { return m_cancellable; }
  bool cancelled() const { return m_cancelled; }

 private:
  std::int64_t m_total = 0;
  std::int64_t m_position = 0;
  std::int64_t m_drawn = 0;
  std::int64_t m_lastUpdate = 0;
  bool m_cancellable = false;
  bool m_cancelled = false;
};
