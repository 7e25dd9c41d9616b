// Every message the learner sees goes through here. The shell installs the handler
// that beeps and shows the modal "Program Notice" dialog (or the plain message box);
// tests install a recorder; with no handler installed, messages go to stderr.
//
// Texts are UTF-8. Pass course bytes (Windows-1252) through CourseToUtf8 first.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct NoticeRequest {
  enum class Kind {
    Notice,        // the "Program Notice" dialog after an exclamation beep
    PlainMessage,  // a plain system message box with a fixed text, no title (early load failures)
  };
  Kind kind = Kind::Notice;
  int stringId = 0;   // 0 for literal text
  std::string text;   // formatted, ready to show
  std::string title;  // empty: the default caption
};

using NoticeHandler = std::function<void(const NoticeRequest&)>;

// Installs handler and returns the previous one.
NoticeHandler SetNoticeHandler(NoticeHandler handler);

// The string-table text of stringId with its one "%s"/"%d" replaced by argument.
void ShowNotice(int stringId, std::string_view argument = {});
// Literal text, with an optional caption.
void ShowNoticeText(std::string_view text, std::string_view title = {});
// "Cannot load contents file" and the other fixed early-failure texts.
void ShowPlainMessage(std::string_view text);

// Collects notices instead of showing them while it lives (tests, batch tools).
class NoticeRecorder {
 public:
  NoticeRecorder();
  ~NoticeRecorder();
  NoticeRecorder(const NoticeRecorder&) = delete;
  NoticeRecorder& operator=(const NoticeRecorder&) = delete;

  const std::vector<NoticeRequest>& notices() const { return m_notices; }
  bool sawId(int stringId) const;
  bool sawText(std::string_view fragment) const;
  void clear() { m_notices.clear(); }

 private:
  std::vector<NoticeRequest> m_notices;
  NoticeHandler m_previous;
};
