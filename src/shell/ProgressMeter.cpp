#include "shell/ProgressMeter.h"

#include <algorithm>

void ProgressMeter::Start(std::int64_t total, bool cancellable, std::int64_t now) {
  m_total = std::max<std::int64_t>(total, 0);
  m_position = 0;
  m_drawn = 0;
  m_lastUpdate = now;
  m_cancellable = cancellable;
  m_cancelled = false;
}

ProgressMeter::StepResult ProgressMeter::Step(std::int64_t amount, bool absolute, std::int64_t now) {
  StepResult r;
  // Saturating: a caller's running count near the integer limits must not wrap round.
  const std::int64_t wanted = absolute ? amount : (amount > m_total - m_position ? m_total : m_position + amount);
  m_position = std::clamp<std::int64_t>(wanted, 0, m_total);
  const bool smallAdvance = static_cast<__int128>(m_position - m_drawn) * 1000 < static_cast<__int128>(m_total) * kRedrawPerMille;
  const bool recent = now - m_lastUpdate < kRedrawInterval;
  if (smallAdvance && recent) return r;
  r.update = true;
  if (amount != 0) {
    r.setControl = true;
    m_drawn = m_position;
  }
  m_lastUpdate = now;
  return r;
}

void ProgressMeter::Cancel() {
  if (m_cancellable) m_cancelled = true;
}
