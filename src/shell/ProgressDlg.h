// The progress dialog of long operations (the search, for one): a progress bar, a line
// of text and, when cancelling is offered, a Cancel button. The caller steps it as it
// works and stops when Step returns true. Redrawing is throttled: only when the position
// has moved by 5 thousandths of the total or 200 ms have passed (ProgressMeter). The
// learner cannot close it while cancelling is offered (closing cancels instead); the
// caller hides or deletes it when the work has ended.
#pragma once

#include <QtWidgets/QDialog>
#include <QtCore/QPointer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "course/InputHoldBack.h"
#include "shell/ProgressMeter.h"

class QLabel;
class QProgressBar;
class QPushButton;

class CProgressDlg : public QDialog {
 public:
  enum ControlId { kProgress = 2099, kText = 2141, kCancel = 2 };

  explicit CProgressDlg(QWidget* parent = nullptr);
  ~CProgressDlg() override;

  // Records the total, the text and whether cancelling is offered, and shows the dialog.
  void Start(std::int64_t total, const QString& text, bool cancellable);
  // Sets (absolute) or advances the position; true once the learner has cancelled. While
  // it brings the dialog up to date, a press on Cancel or a request to close the dialog
  // counts as cancelling, and other input to the program waits.
  bool Step(std::int64_t amount, bool absolute = false);
  // Cancels when cancelling is offered.
  void Cancel();
  bool cancelled() const { return m_meter.cancelled(); }

  const ProgressMeter& meter() const { return m_meter; }
  // How many times Step has brought the dialog up to date since Start.
  int redrawCount() const { return m_redraws; }
  // The clock the throttle reads (milliseconds); by default a monotonic clock.
  void SetClock(std::function<std::int64_t()> clock) { m_clock = std::move(clock); }

  QProgressBar* progressBar() const { return m_progress; }
  QLabel* textLine() const { return m_text; }
  QPushButton* cancelButton() const { return m_cancel; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void UpdateNow(bool setControl);
  bool InsideDialog(QObject* o) const;
  InputHoldBack::Verdict Judge(QObject* watched, QEvent* event);

  ProgressMeter m_meter;
  QProgressBar* m_progress = nullptr;
  QLabel* m_text = nullptr;
  QPushButton* m_cancel = nullptr;
  std::function<std::int64_t()> m_clock;
  int m_redraws = 0;
  int m_scaleShift = 0;  // the bar counts total >> shift so that it fits its int range
  // Input other than the dialog's own is held back while the dialog is brought up to
  // date, and handed on afterwards.
  InputHoldBack m_gate;
};
