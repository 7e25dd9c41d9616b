#include "shell/CoreStatusBar.h"

#include <QtCore/QTimer>
#include <QtWidgets/QLabel>

#include "shell/LockKeys.h"

namespace {
// The keys' lights are read this often while the bar is shown (ms).
constexpr int kIndicatorRefresh = 500;
}  // namespace

CCoreStatusBar::CCoreStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("StatusBar59393"));
  m_ready = new QLabel(tr("Ready"), this);
  addWidget(m_ready, 1);
  const char* names[3] = {"CAP", "NUM", "SCRL"};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(QString::fromLatin1(names[i]), this);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
    label->setEnabled(false);
    addPermanentWidget(label);
    m_indicators[i] = label;
  }
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, [this] {
    if (isVisible()) RefreshIndicators();
  });
  timer->start(kIndicatorRefresh);
  RefreshIndicators();
}

void CCoreStatusBar::RefreshIndicators() {
  const LockKeyStates keys = ReadLockKeys();
  const std::optional<bool> states[3] = {keys.caps, keys.num, keys.scroll};
  for (int i = 0; i < 3; ++i) m_indicators[i]->setEnabled(states[i].value_or(false));
}

bool CCoreStatusBar::event(QEvent* event) {
  if (event->type() == QEvent::Show) RefreshIndicators();
  return QStatusBar::event(event);
}
