// The Table of Contents bar: rows, expansion, notifications and commands. Drawing is in
// ContentsBarPaint.cpp, the mouse in ContentsBarMouse.cpp.
#include "contentsbar/ContentsBar.h"

#include <QtCore/QMetaObject>
#include <algorithm>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QMenu>

#include "contentsbar/ContentsLabels.h"
#include "course/ContentsTable.h"
#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/Preferences.h"
#include "course/ProgramResources.h"
#include "course/Services.h"
#include "records/StudentRecord.h"
#include "contentsbar/ContentsLabels.h"
#include "course/CommandIds.h"
#include "shell/DragOutline.h"
#include "shell/LessonBookLink.h"
#include "shell/MainFrame.h"
#include "shell/WindowTools.h"

ContentsTable* BarContents() { return Service<ContentsTable>(); }

CContentsBar::CContentsBar(QWidget* parent) : CTearToolBar(cmd::kContentsBar, parent) {
  setObjectName(QStringLiteral("ContentsBar"));
  // The personality is read once; "TOC Icons" does not change during a run.
  m_tocIcons = PersonalityBool(kKeyTocIcons, true);
}

CContentsBar::~CContentsBar() = default;

bool CContentsBar::TocIcons() const { return m_tocIcons; }

bool CContentsBar::NeverAdjust() const {
  const Preferences* prefs = Service<Preferences>();
  return prefs && prefs->neverAdjust;
}

void CContentsBar::Rebuild() {
  m_rebuild = false;
  const ContentsTable* contents = BarContents();
  if (!contents) {
    m_rows = ContentsRowList();
  } else {
    const StudentRecord* record = Service<StudentRecord>();
    ContentsRowList::CompletedFn completed;
    if (record)
      completed = [record](int lesson, int page, int activity) { return record->IsCompleted(lesson, page, activity); };
    m_rows.Rebuild(*contents, completed);
  }
  // A tracked row may be gone.
  if (m_pressedRow >= m_rows.count()) EndTracking();
  RowsChanged();
}

std::string CContentsBar::RowText(int row) const {
  const ContentsTable* contents = BarContents();
  const ContentsRow* r = m_rows.row(row);
  if (!contents || !r) return {};
  return RowLabel(*r, *contents, contents->LessonBase(), m_tocIcons);
}

void CContentsBar::SetExpansion(ContentsExpansion mode) {
  if (ContentsTable* contents = BarContents()) ApplyContentsExpansion(*contents, mode, m_current);
  if (mode == ContentsExpansion::OpenCurrentPage) {
    Rebuild();
    if (isVisible())
      if (const int row = RowOf(m_current); row >= 0) ScrollRowIntoView(row);
  } else {
    m_rebuild = true;
  }
  update();
}

void CContentsBar::ApplyPending() {
  if (m_adjust) {
    m_adjust = false;
    SetExpansion(ContentsExpansion::OpenCurrentPage);
  }
  if (m_rebuild) Rebuild();
}

// ---- the Lesson Book's place ----

namespace {

ActivityLocator PlaceLocator(QWidget* book) {
  ActivityLocator l;
  auto* link = dynamic_cast<LessonBookLink*>(book);
  if (!link) return l;
  const LessonBookPlace place = link->CurrentPlace();
  const ContentsTable* contents = BarContents();
  const int lesson = place.lessonNumber - (contents ? contents->LessonBase() : 1);
  // A place outside the contents is no place (before the book's first turn, say).
  if (!contents || lesson < 0 || lesson >= contents->LessonCount()) return l;
  l.lesson = static_cast<std::int8_t>(lesson);
  l.page = static_cast<std::int8_t>(std::clamp(place.pageNumber - 1, -1, 8));
  return l;
}

}  // namespace

bool CContentsBar::PlaceDiffers(QWidget* book) const {
  const ActivityLocator l = PlaceLocator(book);
  return l.lesson != m_current.lesson || l.page != m_current.page;
}

void CContentsBar::TakePlace(QWidget* book) {
  const ActivityLocator l = PlaceLocator(book);
  m_current.lesson = l.lesson;
  m_current.page = l.page;
  m_current.activity = -1;
}

void CContentsBar::CompletionChanged(const ActivityLocator* locator) {
  const StudentRecord* record = Service<StudentRecord>();
  if (!locator) {
    // A progress file was loaded or the record reset: every mark may have changed.
    m_rebuild = true;
    update();
    return;
  }
  const int row = RowOf(*locator);
  ContentsRow* r = m_rows.row(row);
  if (!r || !r->isActivity() || r->index != locator->activity) return;
  const bool done = record && record->IsCompleted(*locator);
  if (r->completed == done) return;
  r->completed = done;
  update(RowRect(row));
}

void CContentsBar::OnCourseNotify(int code, void* data) {
  switch (code) {
    case kNotifyPreferences:
      // The frame has applied a new lesson order by now (it hears the notification
      // first): the rows are rebuilt whatever NeverAdjust says, so that they never show
      // the old order.
      m_rebuild = true;
      if (!NeverAdjust()) {
        if (QWidget* book = FindLessonBook()) TakePlace(book);
        m_adjust = true;
      }
      update();
      break;
    case kNotifyCompletion:
      CompletionChanged(static_cast<const ActivityLocator*>(data));
      break;
    case kNotifyPageTurned: {
      auto* book = static_cast<QWidget*>(data);
      if (!dynamic_cast<LessonBookLink*>(book) || !PlaceDiffers(book)) break;
      TakePlace(book);
      if (NeverAdjust()) {
        if (m_rebuild) Rebuild();
        if (const int row = RowOf(m_current); row >= 0) ScrollRowIntoView(row);
      } else {
        m_adjust = true;
        update();
      }
      break;
    }
    case kNotifyActivated: {
      auto* book = static_cast<QWidget*>(data);
      if (!dynamic_cast<LessonBookLink*>(book) || !PlaceDiffers(book)) break;
      TakePlace(book);
      m_adjust = true;
      update();
      break;
    }
    default:
      CTearToolBar::OnCourseNotify(code, data);
      break;
  }
}

// ---- commands ----

std::string CContentsBar::CopyText() const {
  const ContentsTable* contents = BarContents();
  if (!contents) return {};
  return ContentsCopyText(m_rows.rows(), *contents);
}

void CContentsBar::Copy() {
  if (m_rebuild) Rebuild();
  if (QClipboard* clipboard = QGuiApplication::clipboard())
    clipboard->setText(QString::fromStdString(CourseToUtf8(CopyText())));
}

namespace {

struct MenuItem {
  int id;
  const char* text;
};
// Menu 6006 "Contents Popup".
constexpr MenuItem kMenuItems[] = {
    {cmd::kContentsOpenAll, "Open &All"},
    {cmd::kContentsOpenLessons, "Open &Lessons"},
    {cmd::kContentsOpenCurrentPage, "&Open Current Page"},
    {cmd::kContentsCloseAll, "&Close All"},
    {0, nullptr},
    {cmd::kContentsCopy, "Copy to Clip&board"},
    {cmd::kContentsPrint, "&Print Table of Contents..."},
    {0, nullptr},
    {cmd::kContentsHide, "&Hide Table of Contents"},
};

}  // namespace

QMenu* CContentsBar::BuildMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("ContentsPopup"));
  menu->setTitle(QStringLiteral("Contents Popup"));
  for (const MenuItem& item : kMenuItems) {
    if (!item.text) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromUtf8(item.text));
    action->setData(item.id);
    // The status texts travel up to the frame's status bar while the item is hovered.
    if (HasProgramString(item.id)) action->setStatusTip(QString::fromStdString(ProgramString(item.id)));
  }
  return menu;
}

void CContentsBar::OpenMenu(const QPoint& globalPos) {
  QMenu* menu = BuildMenu(this);
  int chosen = 0;
  if (m_menuRunner) {
    chosen = m_menuRunner(*menu, globalPos);
  } else if (QAction* action = menu->exec(globalPos)) {
    chosen = action->data().toInt();
  }
  delete menu;
  if (chosen) OnCommand(chosen);
}

bool CContentsBar::UpdateCommand(int id, CommandState& state) {
  switch (id) {
    case cmd::kContentsCloseAll:
    case cmd::kContentsCopy:
    case cmd::kContentsOpenCurrentPage:
    case cmd::kContentsHide:
    case cmd::kContentsOpenAll:
    case cmd::kContentsOpenLessons:
    case cmd::kContentsPrint:
      state.enabled = true;
      return true;
    default:
      return CTearToolBar::UpdateCommand(id, state);
  }
}

bool CContentsBar::OnCommand(int id) {
  switch (id) {
    case cmd::kContentsOpenAll:
      SetExpansion(ContentsExpansion::OpenAll);
      return true;
    case cmd::kContentsOpenLessons:
      SetExpansion(ContentsExpansion::OpenLessons);
      return true;
    case cmd::kContentsOpenCurrentPage:
      SetExpansion(ContentsExpansion::OpenCurrentPage);
      return true;
    case cmd::kContentsCloseAll:
      SetExpansion(ContentsExpansion::CloseAll);
      return true;
    case cmd::kContentsCopy:
      Copy();
      return true;
    case cmd::kContentsPrint:
    case cmd::kPrint:
      if (m_rebuild) Rebuild();
      Print();
      return true;
    case cmd::kContentsHide:
      // Posted: the menu that asked is still on the stack.
      QMetaObject::invokeMethod(
          this,
          [] {
            if (CMainFrame* frame = CMainFrame::Instance()) frame->RouteCommand(cmd::kContentsBar);
          },
          Qt::QueuedConnection);
      return true;
    default:
      return CTearToolBar::OnCommand(id);
  }
}
