#include "shell/NoticeDlg.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>

#include <deque>
#include <string>

#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "course/StringIds.h"
#include "shell/MainFrame.h"

CNoticeDlg::CNoticeDlg(const QString& text, const QString& title, QWidget* parent) : QDialog(parent) {
  setWindowTitle(title.isEmpty() ? tr("Program Notice") : title);
  setModal(true);
  auto* icon = new QLabel(this);
  const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(side, side));
  icon->setAlignment(Qt::AlignTop);
  m_text = new QLabel(text, this);
  m_text->setObjectName(QStringLiteral("NoticeText"));
  m_text->setWordWrap(true);
  m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_text->setMinimumWidth(320);
  m_text->setMaximumWidth(520);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addSpacing(8);
  row->addWidget(m_text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

namespace {


QWidget* NoticeParent() {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  if (QWidget* w = QApplication::activeWindow()) return w;
  return CMainFrame::Instance();
}

void PresentModally(const NoticeShown& n) {
  if (n.plain) {
    QMessageBox box(QMessageBox::NoIcon, QString(), n.text, QMessageBox::Ok, NoticeParent());
    box.exec();
    return;
  }
  QApplication::beep();
  CNoticeDlg dialog(n.text, n.title, NoticeParent());
  dialog.exec();
}

struct Waiting {
  NoticeShown notice;
  int count = 1;
  bool operator==(const NoticeShown& n) const {
    return notice.text == n.text && notice.title == n.title && notice.plain == n.plain;
  }
};

struct NoticeQueue {
  NoticePresenter presenter = PresentModally;
  std::deque<Waiting> waiting;
  std::deque<std::function<void()>> tasks;
  bool busy = false;
  bool droppedNotices = false;
  bool droppedTasks = false;

  void Add(NoticeShown n) {
    if (!waiting.empty() && waiting.back() == n) {
      ++waiting.back().count;
    } else if (static_cast<int>(waiting.size()) >= kMaxWaitingNotices) {
      droppedNotices = true;
    } else {
      waiting.push_back({std::move(n), 1});
    }
    Pump();
  }

  void AddTask(std::function<void()> task) {
    if (static_cast<int>(tasks.size()) >= kMaxWaitingTasks)
      droppedTasks = true;
    else
      tasks.push_back(std::move(task));
    Pump();
  }

  // Shows the waiting notices one after the other, then runs the waiting tasks, then shows
  // what they raised. Re-entered from inside (a notice raised while one is shown, a request
  // arriving meanwhile) it only queues.
  void Pump() {
    if (busy) return;
    busy = true;
    for (;;) {
      if (droppedNotices || droppedTasks) {
        droppedNotices = droppedTasks = false;
        const NoticeShown n{QString::fromStdString(ProgramString(str::kNoticesDropped)), QString(), false};
        if (static_cast<int>(waiting.size()) >= kMaxWaitingNotices) waiting.pop_back();
        waiting.push_back({n, 1});
      }
      if (!waiting.empty()) {
        Waiting next = std::move(waiting.front());
        waiting.pop_front();
        if (next.count > 1)
          next.notice.text += QStringLiteral("\n\n") +
                              QString::fromStdString(FormatProgramString(str::kNoticeRepeated,
                                                                         std::to_string(next.count)));
        presenter(next.notice);
        continue;
      }
      // The waiting tasks run one after the other before their notices are shown, so that
      // a burst of requests that all raise the same notice shows it once.
      if (!tasks.empty()) {
        while (!tasks.empty()) {
          std::function<void()> task = std::move(tasks.front());
          tasks.pop_front();
          task();
        }
        continue;
      }
      break;
    }
    busy = false;
  }
};

NoticeQueue& Queue() {
  static NoticeQueue queue;
  return queue;
}

}  // namespace

void InstallNoticeDialogs() {
  SetNoticeHandler([](const NoticeRequest& request) {
    NoticeShown n;
    n.text = QString::fromStdString(request.text);
    n.title = QString::fromStdString(request.title);
    n.plain = request.kind == NoticeRequest::Kind::PlainMessage;
    Queue().Add(std::move(n));
  });
}

void AfterNotices(std::function<void()> task) { Queue().AddTask(std::move(task)); }

NoticePresenter SetNoticePresenter(NoticePresenter presenter) {
  NoticePresenter previous = std::move(Queue().presenter);
  Queue().presenter = presenter ? std::move(presenter) : NoticePresenter(PresentModally);
  return previous;
}
