#include "hypertext/HyperWnd.h"

#include <QtWidgets/QVBoxLayout>

#include "course/CourseText.h"
#include "hypertext/HyperView.h"
#include "hypertext/MarkupText.h"

CHyperWnd::CHyperWnd(QWidget* parent, CHyperView* view) : QWidget(parent), m_view(view ? view : new CHyperView) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_view);
  setMinimumSize(kMinWidth, kMinHeight);
  setFocusProxy(m_view);
}

void CHyperWnd::UpdateCaption() {
  std::string title = m_view->Title();
  StripMarkupInPlace(title);
  if (!title.empty()) setWindowTitle(QString::fromStdString(CourseToUtf8(title)));
}

void CHyperWnd::OnCourseNotify(int code, void* data) {
  constexpr int kClose = 8, kRepaint = 9, kToFront = 11;
  switch (code) {
    case kClose: QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); break;
    case kRepaint: m_view->update(); break;
    case kToFront:
      if (isMinimized()) showNormal();
      show();
      raise();
      activateWindow();
      m_view->setFocus();
      break;
    default: m_view->OnCourseNotify(code, data); break;
  }
}

bool CHyperWnd::OnCommand(int id) { return m_view->OnCommand(id); }

bool CHyperWnd::IsCommandEnabled(int id) const { return m_view->IsCommandEnabled(id); }
