// What the Glossary and Index bars share: a pane on the left that scrolls, the term list
// on the right with its buttons below it, a splitter between them that keeps both usable,
// typing a letter or digit in the list, and a context menu of the bar's commands.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>

#include <QtCore/QString>

class CommandTarget;
class QEvent;
class QListWidget;
class QPoint;
class QScrollArea;
class QSplitter;
class QWidget;

struct TermBarLayout {
  QScrollArea* scroll = nullptr;  // holds the pane
  QListWidget* list = nullptr;
  QSplitter* split = nullptr;
};

// Builds the layout into bar: the pane in a vertical scroll area, the list (names[i] for
// each term, 9-point sans) with buttons right-aligned below it, the list kListWidth wide
// at first and never narrower than minList, the pane never narrower than minPane.
// choose runs for a term clicked or activated in the list.
TermBarLayout BuildTermBar(QWidget* bar, QWidget* pane, const QString& listName, int count,
                           const std::function<std::string(int)>& name, std::initializer_list<QWidget*> buttons,
                           int listWidth, int minList, int minPane, std::function<void(int)> choose);

// The ASCII letter or digit a key press in the list typed; 0 for any other event.
char TypedTermKey(QEvent* event);

struct TermBarCommand {
  int id;
  const char* text;
};
// The bar's context menu at globalPos: each command enabled as the target says, run by it.
void RunCommandMenu(QWidget* owner, CommandTarget& target, std::initializer_list<TermBarCommand> commands,
                    const QPoint& globalPos);
