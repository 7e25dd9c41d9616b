#include "exposition/ExpoTimeline.h"

#include <QtCore/QJsonObject>
#include <algorithm>

#include "course/CourseText.h"
#include "exposition/ExpoKinds.h"
#include "exposition/ExpoView.h"
#include "exposition/FlagGuard.h"

// ---------------------------------------------------------------- ClockNarration

ClockNarration::ClockNarration(std::int64_t length, std::function<std::int64_t()> milliseconds)
    : m_length(std::max<std::int64_t>(length, 0)), m_ms(std::move(milliseconds)) {}

std::int64_t ClockNarration::Position() const {
  if (!m_playing) return m_base;
  const std::int64_t elapsed = std::max<std::int64_t>(m_ms() - m_startMs, 0);
  return std::min(m_base + elapsed * ScriptChunk::kSampleRate / 1000, m_length);
}

bool ClockNarration::Play() {
  if (m_playing) return true;
  m_startMs = m_ms();
  m_playing = true;
  return true;
}

void ClockNarration::Stop() {
  if (!m_playing) return;
  m_base = Position();
  m_playing = false;
}

void ClockNarration::SetPosition(std::int64_t position) {
  m_base = std::clamp<std::int64_t>(position, 0, m_length);
  m_startMs = m_ms();
}

// ---------------------------------------------------------------- ExpoTimeline


ExpoTimeline::ExpoTimeline(CExpoView& view) : m_view(view) { m_view.SetTimeline(this); }

ExpoTimeline::~ExpoTimeline() {
  if (m_view.timeline() == this) m_view.SetTimeline(nullptr);
}

std::vector<std::int64_t> ExpoTimeline::EffectiveStarts(const std::vector<ScriptChunk>& chunks) {
  std::vector<std::int64_t> starts;
  starts.reserve(chunks.size());
  std::int64_t previous = 0;
  for (const ScriptChunk& c : chunks) {
    // An untimed chunk, or one timed before its predecessor, runs right after it.
    previous = std::max<std::int64_t>(previous, c.startTime);
    starts.push_back(previous);
  }
  return starts;
}

std::int64_t ExpoTimeline::SilentLength(const std::vector<ScriptChunk>& chunks) {
  const auto starts = EffectiveStarts(chunks);
  return (starts.empty() ? 0 : starts.back()) + kSilentTail;
}

void ExpoTimeline::Load(std::vector<ScriptChunk> chunks, std::unique_ptr<ExpoNarration> clip) {
  if (m_narration) m_narration->Stop();
  m_view.Reset();
  m_view.variables().Reset();
  m_chunks = std::move(chunks);
  m_starts = EffectiveStarts(m_chunks);
  m_view.scene().hasClock = clip != nullptr;
  if (!clip && !m_chunks.empty()) {
    ExpoViewHost* host = &m_view.host();
    clip = std::make_unique<ClockNarration>(SilentLength(m_chunks), [host] { return host->WaitMilliseconds(); });
  }
  m_narration = std::move(clip);
  m_hasClock = m_narration != nullptr;
  m_total = m_hasClock ? m_narration->Length() : 0;
  m_position = 0;
  m_next = 0;
  m_lastRun = -1;
  m_started = false;
  m_paused = true;
  m_completed = false;
  ExpoScene& scene = m_view.scene();
  scene.narrationEnd = m_total;
  scene.position = 0;
  scene.paused = true;
  scene.fastForwarding = false;
  m_view.InitializeHook();
}

void ExpoTimeline::SetPosition(std::int64_t position) {
  m_position = position;
  m_view.scene().position = position;
}

void ExpoTimeline::Start() {
  if (!m_hasClock || m_started) return;
  m_started = true;
  SetPaused(false);
}

void ExpoTimeline::StepObjects() { m_view.scene().Step(m_position); }

bool ExpoTimeline::RunChunkAt(std::size_t index) {
  m_next = index + 1;
  m_lastRun = static_cast<std::ptrdiff_t>(index);
  m_gotoTaken = false;
  const ScriptChunk& chunk = m_chunks[index];
  QJsonObject detail;
  detail["index"] = static_cast<int>(index);
  detail["start"] = static_cast<double>(m_starts[index]);
  if (!chunk.label.empty()) detail["label"] = QString::fromStdString(CourseToUtf8(chunk.label));
  m_view.host().Trace("chunk", detail);
  bool ok;
  {
    FlagGuard running(m_runningChunk);
    ok = m_view.RunChunk(chunk.tokens);
  }
  if (m_view.waitedMs() > 0) m_stopTick = true;
  if (!ok && m_view.budgetExhausted()) {
    // A chunk that ran out of budget (an endless loop, a chunk jumping to its own
    // label) must not run again at once: its jump is dropped and the narration
    // pauses, so that the learner decides what comes next.
    m_stopTick = true;
    if (m_gotoTaken) m_next = index + 1;
    m_gotoTaken = false;
    if (!m_view.fastForwarding()) SetPaused(true);
  }
  return ok;
}

void ExpoTimeline::RunDueChunks() {
  m_stopTick = false;
  while (!m_paused && !m_stopTick && m_next < m_chunks.size() && m_starts[m_next] <= m_position) RunChunkAt(m_next);
}

void ExpoTimeline::Tick() {
  if (m_runningChunk && !m_view.waiting()) return;
  if (!m_hasClock) return;
  const bool waiting = m_view.waiting();
  if (m_started && !m_paused) {
    if (m_narration->Ended() && !waiting) {
      EndOfNarration();
    } else {
      SetPosition(std::min(m_narration->Position(), m_total));
      if (!waiting) {
        m_view.budget().Refill();
        RunDueChunks();
      }
    }
  }
  StepObjects();
}

void ExpoTimeline::EndOfNarration() {
  SetPosition(m_total);
  m_view.budget().Refill();
  m_stopTick = false;
  while (!m_paused && !m_stopTick && m_next < m_chunks.size()) RunChunkAt(m_next);
  SetPaused(true);
  m_completed = true;
  m_view.host().Trace("completed", QJsonObject());
  m_view.host().Completed();
  m_view.ShowContinueButton("Close");
}

bool ExpoTimeline::SetPaused(bool paused) {
  if (!m_hasClock || paused == m_paused) return false;
  ExpoScene& scene = m_view.scene();
  if (paused) {
    m_narration->Stop();
    SetPosition(std::min(m_narration->Position(), m_total));
    m_paused = true;
  } else {
    scene.FollowPlayback(false);
    if (m_position >= m_total) {
      // Resuming at the end plays the exposition again from the start.
      m_view.Reset();
      m_next = 0;
      m_lastRun = -1;
      m_completed = false;
      SetPosition(0);
      m_narration->SetPosition(0);
      CatchUp(0);
    }
    m_narration->SetPosition(m_position);
    if (!m_narration->Play()) {
      m_view.host().RequestClose();
      return false;
    }
    m_paused = false;
    m_started = true;
  }
  scene.paused = m_paused;
  scene.fastForwarding = false;
  scene.FollowPlayback(!m_paused);
  m_view.host().PausedChanged(m_paused);
  if (!m_paused) scene.Select(nullptr);
  return true;
}

bool ExpoTimeline::Seek(std::int64_t position, bool runChunks) {
  position = std::clamp<std::int64_t>(position, 0, m_total);
  if (!m_hasClock || position == m_position) return false;
  SetPosition(position);
  m_narration->SetPosition(position);
  if (!runChunks) return true;
  // Nothing has run before the first chunk: there is nothing to rebuild.
  if (m_lastRun >= 0 && m_starts[static_cast<std::size_t>(m_lastRun)] >= position) {
    m_view.Reset();
    m_next = 0;
    m_lastRun = -1;
  }
  for (std::size_t i = m_next + 1; i < m_chunks.size() && m_starts[i] <= position; ++i)
    if (m_chunks[i].clearMark) m_next = i;
  CatchUp(position);
  return true;
}

void ExpoTimeline::CatchUp(std::int64_t target) {
  ExpoScene& scene = m_view.scene();
  scene.fastForwarding = true;
  // While fast-forwarding nothing jumps back (`goto` does nothing), so each chunk may
  // have a budget of its own: a long exposition catches up whole.
  while (m_next < m_chunks.size() && m_starts[m_next] <= target) {
    SetPosition(m_starts[m_next]);
    m_view.budget().Refill();
    RunChunkAt(m_next);
  }
  m_stopTick = false;
  scene.fastForwarding = false;
  SetPosition(target);
  StepObjects();
}

void ExpoTimeline::Goto(std::string_view label) {
  if (!m_view.hasClock() || m_view.fastForwarding() || m_paused) return;
  std::size_t index = m_chunks.size();
  for (std::size_t i = 0; i < m_chunks.size(); ++i)
    if (m_chunks[i].label == label) {
      index = i;
      break;
    }
  if (index == m_chunks.size()) return;
  QJsonObject detail;
  detail["label"] = QString::fromStdString(CourseToUtf8(label));
  detail["index"] = static_cast<int>(index);
  m_view.host().Trace("goto", detail);
  const bool sounding = m_narration->Playing();
  if (sounding) m_narration->Stop();
  Seek(m_starts[index], false);
  if (sounding) m_narration->Play();
  m_next = index;
  m_gotoTaken = true;
}

void ExpoTimeline::PauseAtNextChunk(std::string_view caption, bool button) {
  QJsonObject detail;
  detail["caption"] = QString::fromStdString(CourseToUtf8(caption));
  detail["button"] = button;
  m_view.host().Trace("pause", detail);
  SetPaused(true);
  // The narration goes on at the next chunk; after the last chunk it stays where it is.
  if (m_hasClock && m_next < m_chunks.size() && m_starts[m_next] > m_position) {
    SetPosition(std::min(m_starts[m_next], m_total));
    m_narration->SetPosition(m_position);
  }
  if (button) m_view.ShowContinueButton(caption);
}

bool ExpoTimeline::KeyPress(ExpoKey key) {
  ExpoScene& scene = m_view.scene();
  CExpoObject* focused = nullptr;
  for (const auto& o : scene.objects())
    if (o->selected() && o->isControl() && o->enabled()) focused = o.get();
  if (focused && (key == ExpoKey::Space || key == ExpoKey::Enter)) {
    if (focused->kind() == ExpoKind::Button) {
      scene.lastButton = focused->Text();
      if (static_cast<CExpoButton*>(focused)->isCloseButton() || !m_view.hasClock()) m_view.host().RequestClose();
      else SetPaused(false);
      return true;
    }
    if (key == ExpoKey::Space && m_paused &&
        (focused->kind() == ExpoKind::Checkbox || focused->kind() == ExpoKind::Radio)) {
      auto* check = static_cast<CExpoCheck*>(focused);
      check->SetChecked(focused->kind() == ExpoKind::Radio ? true : !check->checked());
      return true;
    }
  }
  switch (key) {
    case ExpoKey::Enter:
      if (!m_paused) return false;
      [[fallthrough]];
    case ExpoKey::Space:
      if (!m_hasClock) return false;
      if (!m_started) Start();
      else SetPaused(!m_paused);
      return true;
    case ExpoKey::Left:
    case ExpoKey::Right:
      if (!m_paused) return false;
      Seek(m_position + (key == ExpoKey::Right ? kSeekStep : -kSeekStep), true);
      return true;
    case ExpoKey::Tab:
    case ExpoKey::ShiftTab: {
      std::vector<CExpoObject*> controls;
      for (const auto& o : scene.objects())
        if (o->isControl() && o->enabled() && o->visible()) controls.push_back(o.get());
      if (controls.empty()) return false;
      const auto at = std::find(controls.begin(), controls.end(), focused);
      std::ptrdiff_t i = at == controls.end() ? -1 : at - controls.begin();
      const auto n = static_cast<std::ptrdiff_t>(controls.size());
      i = key == ExpoKey::Tab ? (i + 1) % n : (i <= 0 ? n - 1 : i - 1);
      scene.Select(controls[static_cast<std::size_t>(i)]);
      return true;
    }
  }
  return false;
}

void ExpoTimeline::MouseDown(QPoint p) {
  ExpoMouseResult immediate;
  if (m_view.scene().MouseDown(p, &immediate)) {
    HandleMouseResult(immediate);
    return;
  }
  if (m_hasClock && m_started && !m_paused) SetPaused(true);
}

void ExpoTimeline::MouseUp(QPoint p) { HandleMouseResult(m_view.scene().MouseUp(p)); }

void ExpoTimeline::Click(QPoint p) {
  MouseDown(p);
  MouseUp(p);
}

void ExpoTimeline::HandleMouseResult(const ExpoMouseResult& result) {
  switch (result.action) {
    case ExpoMouseResult::Resume:
      SetPaused(false);
      break;
    case ExpoMouseResult::Close:
      m_view.host().RequestClose();
      break;
    case ExpoMouseResult::ShowHint:
      m_view.host().ShowHint(result.text);
      break;
    case ExpoMouseResult::None:
      break;
  }
}
