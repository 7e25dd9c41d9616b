// The "Program Notice" dialog every message of the program is shown in: an exclamation
// beep, then a modal box with the text and "OK". InstallNoticeDialogs routes the
// program's notices (course/Notice.h) here.
#pragma once

#include <QtWidgets/QDialog>
#include <functional>

class QLabel;

class CNoticeDlg : public QDialog {
 public:
  // title: empty for "Program Notice".
  CNoticeDlg(const QString& text, const QString& title, QWidget* parent = nullptr);
  QLabel* textField() const { return m_text; }

 private:
  QLabel* m_text;
};

// Installs the handler: notices beep and show CNoticeDlg over the active window; plain
// messages show a plain message box without a title.
//
// Notices are queued: at most one notice dialog is on screen, and a notice raised while
// one is shown waits for it to close (never a dialog inside a dialog). A notice identical
// to the last one waiting is not queued again but counted, and shown once with the count. At most kMaxWaitingNotices wait; the excess is dropped with one
// notice that says so.
void InstallNoticeDialogs();

inline constexpr int kMaxWaitingNotices = 32;
inline constexpr int kMaxWaitingTasks = 64;

// Runs task now when no notice is on screen, otherwise once the notices have all been
// closed (requests handed over by later launches wait this way). At most
// kMaxWaitingTasks wait; the excess is dropped with one notice.
void AfterNotices(std::function<void()> task);

// How a notice is put on screen, modally; tests put a recorder in its place. Returns the
// previous one.
struct NoticeShown {
  QString text;
  QString title;
  bool plain = false;  // the plain message box (no title, no beep)
};
using NoticePresenter = std::function<void(const NoticeShown& notice)>;
NoticePresenter SetNoticePresenter(NoticePresenter presenter);
