#include "course/Notice.h"

#include <cstdio>

#include "course/ProgramResources.h"

namespace {
NoticeHandler& Handler() {
  static NoticeHandler handler;
  return handler;
}

void Deliver(const NoticeRequest& r) {
  if (Handler()) {
    Handler()(r);
    return;
  }
  std::fprintf(stderr, "%s%s\n", r.title.empty() ? "" : (r.title + ": ").c_str(), r.text.c_str());
}
}  // namespace

NoticeHandler SetNoticeHandler(NoticeHandler handler) {
  NoticeHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

void ShowNotice(int stringId, std::string_view argument) {
  NoticeRequest r;
  r.stringId = stringId;
  r.text = FormatProgramString(stringId, argument);
  if (r.text.empty()) r.text = "Notice " + std::to_string(stringId) + (argument.empty() ? "" : ": ") + std::string(argument);
  Deliver(r);
}

void ShowNoticeText(std::string_view text, std::string_view title) {
  NoticeRequest r;
  r.text = text;
  r.title = title;
  Deliver(r);
}

void ShowPlainMessage(std::string_view text) {
  NoticeRequest r;
  r.kind = NoticeRequest::Kind::PlainMessage;
  r.text = text;
  Deliver(r);
}

NoticeRecorder::NoticeRecorder() {
  m_previous = SetNoticeHandler([this](const NoticeRequest& r) { m_notices.push_back(r); });
}

NoticeRecorder::~NoticeRecorder() { SetNoticeHandler(std::move(m_previous)); }

bool NoticeRecorder::sawId(int stringId) const {
  for (const auto& n : m_notices)
    if (n.stringId == stringId) return true;
  return false;
}

bool NoticeRecorder::sawText(std::string_view fragment) const {
  for (const auto& n : m_notices)
    if (n.text.find(fragment) != std::string::npos) return true;
  return false;
}
