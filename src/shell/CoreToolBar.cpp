#include "shell/CoreToolBar.h"

#include <QtGui/QAction>
#include <QtWidgets/QToolButton>

#include "course/ProgramResources.h"
#include "course/StringIds.h"
#include "shell/BarImages.h"
#include "course/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/ProgramArt.h"

namespace {

// The Lesson Book a kNotifyPageTurned or kNotifyActivated names, or null.
const LessonBookLink* NamedLessonBook(int code, void* data) {
  if ((code != kNotifyPageTurned && code != kNotifyActivated) || !data) return nullptr;
  return dynamic_cast<const LessonBookLink*>(static_cast<QWidget*>(data));
}

QIcon IconFromImage(const QImage& image) { return QIcon(QPixmap::fromImage(image)); }

}  // namespace

CCoreToolBar::CCoreToolBar(CMainFrame& frame, int id, int titleId, int helpContextId, const std::vector<int>& buttons)
    : QToolBar(QString::fromStdString(ProgramString(titleId)), &frame), m_frame(frame), m_id(id) {
  setObjectName(QStringLiteral("ToolBar%1").arg(id));
  setAllowedAreas(Qt::AllToolBarAreas);
  setIconSize(kIconSize);
  setWhatsThis(QString::fromStdString(ProgramString(helpContextId)));
  for (int command : buttons) {
    if (command == 0) {
      addSeparator();
      continue;
    }
    if (QAction* a = frame.action(command)) addAction(a);
  }
}

CMainToolBar::CMainToolBar(CMainFrame& frame)
    : CCoreToolBar(frame, cmd::kMainToolBar, str::kTitleMainToolBar, str::kBarTools,
                   {cmd::kSave, cmd::kPrint, 0, cmd::kUndo, cmd::kCut, cmd::kCopy, cmd::kPaste, 0, cmd::kPreferences,
                    cmd::kContextHelp}) {}

// ---- navigation bar ----

CNavToolBar::CNavToolBar(CMainFrame& frame)
    : CCoreToolBar(frame, cmd::kNavigationBar, str::kTitleNavigationBar, str::kBarNavigation,
                   {cmd::kPreviousLesson, cmd::kPreviousPage}) {
  // Go To is wider than the other buttons: the page is written into it.
  m_goTo = new QToolButton(this);
  m_goTo->setObjectName(QStringLiteral("GoTo"));
  m_goTo->setIconSize(kGoToSize);
  m_goTo->setAutoRaise(true);
  if (QAction* goTo = frame.action(cmd::kGoTo)) m_goTo->setDefaultAction(goTo);
  addWidget(m_goTo);
  for (int command : {cmd::kNextPage, cmd::kNextLesson})
    if (QAction* a = frame.action(command)) addAction(a);
  RebuildImage();
}

void CNavToolBar::SetPlace(std::optional<LessonBookPlace> place) {
  m_place = place;
  RebuildImage();
}

void CNavToolBar::RebuildImage() {
  QAction* goTo = m_frame.action(cmd::kGoTo);
  if (!goTo) return;
  const qreal dpr = devicePixelRatioF();
  QImage base = RenderProgramImage("bitmap", cmd::kGoTo, kGoToSize * dpr);
  base.setDevicePixelRatio(dpr);
  const std::string label = m_place ? PageLabel(m_place->lessonNumber, m_place->pageNumber) : std::string();
  QImage image = ComposeGoToImage(base, label, palette().color(QPalette::ButtonText));
  image.setDevicePixelRatio(dpr);
  goTo->setIcon(IconFromImage(image));
}

void CNavToolBar::OnCourseNotify(int code, void* data) {
  if (const LessonBookLink* book = NamedLessonBook(code, data)) SetPlace(book->CurrentPlace());
}

void CNavToolBar::changeEvent(QEvent* event) {
  QToolBar::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) RebuildImage();
}

// ---- accessories bar ----

CAccToolBar::CAccToolBar(CMainFrame& frame)
    : CCoreToolBar(frame, cmd::kAccessoriesBar, str::kTitleAccessoriesBar, str::kBarAccessories,
                   {cmd::kLaunchExplore, cmd::kHomework, cmd::kProjects, cmd::kWeb, cmd::kHelpGuide, 0, cmd::kTool1,
                    cmd::kTool2}) {}

void CAccToolBar::SetPlace(std::optional<LessonBookPlace> place) {
  m_place = place;
  RebuildImages();
}

void CAccToolBar::SetExplorePicture(const QImage& picture) {
  m_explore = picture;
  RebuildImages();
}

void CAccToolBar::RebuildImages() {
  const qreal dpr = devicePixelRatioF();
  const QSize size = kIconSize * dpr;
  if (QAction* explore = m_frame.action(cmd::kLaunchExplore)) {
    if (m_explore.isNull()) {
      explore->setIcon(ProgramIcon(cmd::kLaunchExplore));
    } else {
      QImage image = ComposeExploreImage(m_explore, size);
      image.setDevicePixelRatio(dpr);
      explore->setIcon(IconFromImage(image));
    }
  }
  const int tools[2] = {m_place ? m_place->tool1 : 0, m_place ? m_place->tool2 : 0};
  const int commands[2] = {cmd::kTool1, cmd::kTool2};
  for (int k = 0; k < 2; ++k) {
    QAction* a = m_frame.action(commands[k]);
    if (!a) continue;
    const int bitmap = ToolBitmapId(tools[k]);
    if (bitmap == 0) {
      a->setIcon(ProgramIcon(commands[k]));
      continue;
    }
    QImage image = RenderProgramImage("bitmap", bitmap, size);
    image.setDevicePixelRatio(dpr);
    a->setIcon(IconFromImage(image));
  }
}

void CAccToolBar::OnCourseNotify(int code, void* data) {
  if (const LessonBookLink* book = NamedLessonBook(code, data)) SetPlace(book->CurrentPlace());
}

void CAccToolBar::changeEvent(QEvent* event) {
  QToolBar::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) RebuildImages();
}
