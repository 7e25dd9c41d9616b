// A window host on a virtual clock, for kncourse, the tests and the fuzz targets:
// every busy-wait slice advances the clock by one timer tick and runs the timeline's
// tick, as the window's timer would; events and errors are recorded instead of shown.
#pragma once

#include <QtCore/QJsonObject>
#include <functional>
#include <string>
#include <vector>

#include "exposition/ExpoTimeline.h"
#include "exposition/ExpoView.h"

class VirtualExpoHost : public ExpoViewHost {
 public:
  static constexpr std::int64_t kTickMs = 16;

  struct Event {
    std::int64_t position;
    std::string name;
    QJsonObject detail;
  };

  std::int64_t now = 0;  // milliseconds
  ExpoTimeline* timeline = nullptr;
  // Called after every tick (the tick's own and those inside busy waits).
  std::function<void()> afterTick;
  // Called for every event as it happens.
  std::function<void(const Event&)> onEvent;
  std::vector<Event> events;
  std::string title;
  int errors = 0;
  bool closeRequested = false;
  int completions = 0;
  bool keepEvents = true;

  // One timer tick: the clock moves on 16 ms, the timeline ticks.
  void Advance() {
    now += kTickMs;
    if (timeline) timeline->Tick();
    if (afterTick) afterTick();
  }

  std::uint32_t Milliseconds() const override { return static_cast<std::uint32_t>(now); }
  std::int64_t WaitMilliseconds() override { return now; }
  void WaitSlice() override { Advance(); }
  void ReportScriptError() override { ++errors; }
  void SetTitle(std::string_view t) override { title = std::string(t); }
  std::string Title() const override { return title; }
  void RequestClose() override { closeRequested = true; }
  void Completed() override { ++completions; }
  void Trace(std::string_view event, const QJsonObject& detail) override {
    Event e{timeline ? timeline->view().scene().position : 0, std::string(event), detail};
    if (onEvent) onEvent(e);
    if (keepEvents) events.push_back(std::move(e));
  }
  int Count(std::string_view name) const {
    int n = 0;
    for (const Event& e : events) n += e.name == name;
    return n;
  }
};
