// The Index bar: the index's terms in a list on the right, the chosen term's references
// on the left (its name in bold, then one row per place, with the kind's icon when the
// course asks for icons), a splitter between them and the Glossary button below the list.
// A reference row starts its activity (only while the Lesson Book is open) or shows the
// term's glossary definition; dragged off, it is dropped as a bookmark or on a page.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "course/ActivityLocator.h"
#include "shell/TearToolBar.h"

class IndexTable;
class GlossaryTable;
class CIndexReferences;
class QListWidget;
class QScrollArea;
class QSplitter;
class QToolButton;

class CIndexBar : public CTearToolBar {
 public:
  static constexpr int kListWidth = 120;
  static constexpr int kMinListWidth = 64;
  static constexpr int kMinPaneWidth = 70;

  // What the bar hands on; a missing function leaves its command off.
  struct Links {
    std::function<void(const ActivityLocator& locator)> launch;
    std::function<bool()> lessonBookOpen;
    std::function<bool(const ActivityLocator& locator)> addBookmark;  // false: the list is full
    std::function<bool(const ActivityLocator& locator, QPoint globalPos)> dropLocator;
    std::function<void(std::string_view term)> showGlossary;
  };
  static void SetLinks(Links links);

  // glossary may be null (no Glossary button then).
  CIndexBar(const IndexTable& index, const GlossaryTable* glossary, QWidget* parent = nullptr);
  ~CIndexBar() override;

  // Looks name up (the index's lookup) and shows it; not found: notice 8525, no change.
  bool OpenAtTerm(std::string_view name);
  void ShowTerm(int index);
  int currentTerm() const { return m_current; }
  // Rows of the current term: 0 its name, then its references.
  int ReferenceRows() const;
  std::string RowText(int row) const;
  ActivityLocator RowLocator(int row) const;  // row 0 and out of range: none
  // A click on row (1 ...): launch or the glossary definition.
  void ActivateRow(int row);
  // Copy to Bookmarks for row (0: every reference with a lesson).
  void CopyToBookmarks(int row);

  CIndexReferences* references() const { return m_refs; }
  QWidget* referencePane() const;
  QListWidget* termList() const { return m_list; }

  QSize minimumSizeHint() const override { return {240, 180}; }
  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;
  int ContentHeight(bool printing) const override;
  void PaintRows(QPainter& painter, const QRect& area, int width, bool printing) override;
  int RowCount() const override { return m_current >= 0 ? 1 : 0; }
  void OnCourseNotify(int code, void* data) override;

  void OpenMenuAt(int row, QPoint globalPos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool HasDefinition() const;
  void UpdateButton();

  const IndexTable& m_index;
  const GlossaryTable* m_glossary;
  QSplitter* m_split = nullptr;
  QScrollArea* m_scroll = nullptr;
  CIndexReferences* m_refs = nullptr;
  QListWidget* m_list = nullptr;
  QToolButton* m_glossaryButton = nullptr;
  int m_current = -1;
  int m_menuRow = -1;
};

// Shows the Index bar and, for a non-empty name, opens it at that term.
void ShowIndexTerm(std::string_view name);
