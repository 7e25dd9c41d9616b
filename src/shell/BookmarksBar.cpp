#include "shell/BookmarksBar.h"

#include <QtWidgets/QVBoxLayout>

#include "course/CommandIds.h"
#include "shell/CourseNotify.h"
#include "shell/MainFrame.h"

namespace {
BookmarkLaunch& DefaultLaunch() {
  static BookmarkLaunch launch;
  return launch;
}
}  // namespace

void CBookmarksBar::SetDefaultLaunch(BookmarkLaunch launch) { DefaultLaunch() = std::move(launch); }

CBookmarksBar::CBookmarksBar(StudentRecord& record, QWidget* parent)
    : CTearToolBar(cmd::kBookmarksBar, parent), m_marks(new CMarkBar(record, this)) {
  m_marks->hide();
  m_marks->SetLaunch(DefaultLaunch());
  // The frame shows and hides this bar with its command; posted, since the menu that asked
  // is still on the stack.
  m_marks->SetHideHandler([this] {
    QMetaObject::invokeMethod(
        this,
        [] {
          if (CMainFrame* frame = CMainFrame::Instance()) frame->RouteCommand(cmd::kBookmarksBar);
        },
        Qt::QueuedConnection);
  });
  // The list fills the bar; it draws its own rows and scroll bar.
  CMarkList* list = m_marks->list();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list);
  list->show();
  m_marks->Refresh();
}

void CBookmarksBar::OnCourseNotify(int code, void* data) {
  CTearToolBar::OnCourseNotify(code, data);
  // The learner's text size may have changed with the preferences; an activated window
  // may be the Lesson Book (the list offers locating only while one is open).
  if (code == kNotifyBookmarks || code == kNotifyPreferences || code == kNotifyActivated) m_marks->Refresh();
}
