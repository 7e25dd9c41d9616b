#include "shell/ProgressDlg.h"

#include <QtCore/QElapsedTimer>
#include <QtGui/QCloseEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>
#include <climits>

CProgressDlg::CProgressDlg(QWidget* parent)
    : QDialog(parent), m_gate([this](QObject* watched, QEvent* event) { return Judge(watched, event); }) {
  setWindowTitle(QApplication::applicationName());
  setModal(false);
  m_text = new QLabel(this);
  m_text->setObjectName(QString::number(kText));
  m_text->setMinimumWidth(320);
  m_progress = new QProgressBar(this);
  m_progress->setObjectName(QString::number(kProgress));
  m_progress->setTextVisible(false);
  m_cancel = new QPushButton(tr("Cancel"), this);
  m_cancel->setObjectName(QString::number(kCancel));
  connect(m_cancel, &QPushButton::clicked, this, [this] { Cancel(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_text);
  layout->addWidget(m_progress);
  layout->addLayout(buttons);
  auto timer = std::make_shared<QElapsedTimer>();
  timer->start();
  m_clock = [timer] { return timer->elapsed(); };
}

CProgressDlg::~CProgressDlg() = default;

void CProgressDlg::Start(std::int64_t total, const QString& text, bool cancellable) {
  m_meter.Start(total, cancellable, m_clock());
  m_redraws = 0;
  m_scaleShift = 0;
  while ((m_meter.total() >> m_scaleShift) > INT_MAX) ++m_scaleShift;
  m_progress->setRange(0, static_cast<int>(m_meter.total() >> m_scaleShift));
  m_progress->setValue(0);
  m_text->setText(text);
  m_cancel->setVisible(cancellable);
  show();
  raise();
  repaint();
}

bool CProgressDlg::Step(std::int64_t amount, bool absolute) {
  const ProgressMeter::StepResult r = m_meter.Step(amount, absolute, m_clock());
  if (r.update) UpdateNow(r.setControl);
  return m_meter.cancelled();
}

void CProgressDlg::UpdateNow(bool setControl) {
  ++m_redraws;
  if (setControl) m_progress->setValue(static_cast<int>(m_meter.position() >> m_scaleShift));
  if (m_meter.cancellable() && !m_meter.cancelled() && isVisible()) {
    // Let waiting events through, but of the learner's input only what is aimed at this
    // dialog: a press on Cancel or a request to close it cancels.
    m_gate.ProcessEvents(10);
  }
  if (isVisible()) repaint();
}

void CProgressDlg::Cancel() { m_meter.Cancel(); }

void CProgressDlg::closeEvent(QCloseEvent* event) {
  if (m_meter.cancellable()) {
    Cancel();
    event->ignore();  // the caller ends the work and closes the dialog
    return;
  }
  QDialog::closeEvent(event);
}

void CProgressDlg::reject() {
  // Escape cancels like the button; it never closes the dialog under a running operation.
  Cancel();
}

bool CProgressDlg::InsideDialog(QObject* o) const {
  for (auto* w = qobject_cast<QWidget*>(o); w; w = w->parentWidget())
    if (w == this) return true;
  return false;
}

InputHoldBack::Verdict CProgressDlg::Judge(QObject* watched, QEvent* event) {
  using Verdict = InputHoldBack::Verdict;
  if (event->type() == QEvent::Close) {
    if (watched == this) {
      Cancel();
      return Verdict::Pass;
    }
    // Other windows stay open under the running operation.
    const auto* w = qobject_cast<QWidget*>(watched);
    return w && w->isWindow() ? Verdict::Drop : Verdict::Pass;
  }
  if (!InsideDialog(watched)) return Verdict::Default;
  if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
      watched == m_cancel && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
    Cancel();
  return Verdict::Pass;
}
