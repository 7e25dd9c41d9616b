#include "glossary/TermBarParts.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenu>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QVBoxLayout>

#include "course/CourseText.h"
#include "shell/CommandTarget.h"

TermBarLayout BuildTermBar(QWidget* bar, QWidget* pane, const QString& listName, int count,
                           const std::function<std::string(int)>& name, std::initializer_list<QWidget*> buttons,
                           int listWidth, int minList, int minPane, std::function<void(int)> choose) {
  TermBarLayout out;
  out.scroll = new QScrollArea;
  out.scroll->setWidget(pane);
  out.scroll->setWidgetResizable(true);
  out.scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  out.scroll->setFrameShape(QFrame::NoFrame);

  out.list = new QListWidget;
  out.list->setAccessibleName(listName);
  QFont listFont(QStringLiteral("Liberation Sans"));
  listFont.setPointSize(9);
  out.list->setFont(listFont);
  for (int i = 0; i < count; ++i) out.list->addItem(QString::fromStdString(CourseToUtf8(name(i))));
  QListWidget* list = out.list;
  QObject::connect(list, &QListWidget::itemClicked, bar, [list, choose](QListWidgetItem* item) { choose(list->row(item)); });
  QObject::connect(list, &QListWidget::itemActivated, bar, [list, choose](QListWidgetItem* item) { choose(list->row(item)); });

  auto* listSide = new QWidget;
  auto* column = new QVBoxLayout(listSide);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(out.list, 1);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->addStretch(1);
  for (QWidget* b : buttons) row->addWidget(b);
  column->addLayout(row);

  // The list stays on the right; neither side can be dragged below its minimum.
  out.split = new QSplitter(Qt::Horizontal);
  out.split->setHandleWidth(6);
  out.split->setChildrenCollapsible(false);
  out.split->addWidget(out.scroll);
  out.split->addWidget(listSide);
  out.scroll->setMinimumWidth(minPane);
  listSide->setMinimumWidth(minList);
  out.split->setStretchFactor(0, 1);
  out.split->setStretchFactor(1, 0);
  out.split->setSizes({200, listWidth});
  auto* layout = new QVBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(out.split);
  return out;
}

char TypedTermKey(QEvent* event) {
  if (event->type() != QEvent::KeyPress) return 0;
  const QString text = static_cast<QKeyEvent*>(event)->text();
  if (text.size() != 1 || text[0].unicode() >= 128 || !text[0].isLetterOrNumber()) return 0;
  return static_cast<char>(text[0].unicode());
}

void RunCommandMenu(QWidget* owner, CommandTarget& target, std::initializer_list<TermBarCommand> commands,
                    const QPoint& globalPos) {
  QMenu menu(owner);
  for (const TermBarCommand& c : commands) {
    CommandState state;
    target.UpdateCommand(c.id, state);
    QAction* a = menu.addAction(QString::fromUtf8(c.text));
    a->setEnabled(state.enabled);
    const int id = c.id;
    QObject::connect(a, &QAction::triggered, owner, [&target, id] { target.OnCommand(id); });
  }
  menu.exec(globalPos);
}
