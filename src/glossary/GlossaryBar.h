// The Glossary bar: the course's terms in a list on the right, the chosen term's
// definition on the left with its cross-references and picture, a splitter between
// them, and the Back and Index buttons below the list. Terms come from the program's
// GlossaryTable; the bar keeps the term shown, the 64 terms shown before it, and the
// context phrase of the last term a page looked up.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "shell/TearToolBar.h"

class GlossaryTable;
class CGlossaryPane;
class QListWidget;
class QScrollArea;
class QSplitter;
class QToolButton;

class CGlossaryBar : public CTearToolBar {
 public:
  static constexpr int kHistoryLimit = 64;
  static constexpr int kListWidth = 120;   // the term list's width at first
  static constexpr int kMinListWidth = 64;
  static constexpr int kMinPaneWidth = 70;

  explicit CGlossaryBar(GlossaryTable& table, QWidget* parent = nullptr);
  ~CGlossaryBar() override;

  // Finds text (the glossary's lookup) and shows it with phrase as its context; the
  // term shown before goes into the history. Not found: notice 8522 and no change.
  bool Lookup(std::string_view text, std::string_view phrase);
  // Shows term index; the one shown before goes into the history when pushHistory.
  void ShowTerm(int index, bool pushHistory = true);
  // Shows the term shown before (command 9027); false when the history is empty.
  bool Back();

  int currentTerm() const { return m_current; }
  const std::deque<int>& history() const { return m_history; }
  // The pane's text in markup, and as Copy gives it.
  std::string DisplayText() const;
  std::string CopyText() const;
  CGlossaryPane* pane() const { return m_pane; }
  QListWidget* termList() const { return m_list; }
  QSplitter* splitter() const { return m_split; }

  // The index: whether it has a term, and opening it there. Without them "Index" is off.
  struct IndexLinks {
    std::function<bool(std::string_view term)> hasTerm;
    std::function<void(std::string_view term)> openAt;
  };
  static void SetIndexLinks(IndexLinks links);

  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;
  int ContentHeight(bool printing) const override;
  void PaintRows(QPainter& painter, const QRect& area, int width, bool printing) override;
  int RowCount() const override { return m_current >= 0 ? 1 : 0; }  // something to print

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateButtons();
  void FollowReference(const std::string& text);

  GlossaryTable& m_table;
  QSplitter* m_split = nullptr;
  QScrollArea* m_scroll = nullptr;
  CGlossaryPane* m_pane = nullptr;
  QListWidget* m_list = nullptr;
  QToolButton* m_back = nullptr;
  QToolButton* m_index = nullptr;
  int m_current = -1;
  std::deque<int> m_history;
  int m_contextTerm = -1;
  std::string m_contextPhrase;
};

// The glossary's Show term, for pages and hypertext windows: shows the Glossary bar and,
// for a non-empty text, plays the lookup sound and looks the text up with the phrase
// (length bytes of it; 0: all of it).
void ShowGlossaryTerm(std::string_view text, std::string_view phrase, std::size_t length);
