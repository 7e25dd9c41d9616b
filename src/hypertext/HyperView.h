// CHyperView: the view of every hypertext window (asterisk notes, manual pages,
// homework, labs, projects, exposition text, study questions). It shows a
// course markup text laid out by its HyperDocument, scrolls it, shows the
// text's source buttons, makes defined terms clickable (they open the
// glossary), and copies the text.
//
// A plain widget for now: OnCourseNotify, OnCommand and IsCommandEnabled are
// the entry points the course window framework calls; commands: 9042 add
// bookmark, 9043 to 9046 source buttons, 9047 show in the Lesson Book, 57634
// copy.
#pragma once

#include <QtWidgets/QWidget>
#include <optional>
#include <span>
#include <vector>

#include "course/ActivityLocator.h"
#include "course/CommandIds.h"
#include "hypertext/HyperDocument.h"

class CourseFile;
class QPushButton;
class QScrollBar;

class CHyperView : public QWidget {
 public:
  explicit CHyperView(QWidget* parent = nullptr);
  ~CHyperView() override;

  // The activity the window shows: source buttons look in its lesson's folder,
  // bookmarks and the Lesson Book use it.
  void SetLocator(const ActivityLocator& locator);
  // What the text's directives ask of the course (normally the course's own
  // answers for the locator; set after SetLocator to answer otherwise).
  void SetSourceLinks(HyperSourceLinks links) { m_document.SetLinks(std::move(links)); }
  const ActivityLocator& locator() const { return m_locator; }

  // Replaces the text (see HyperDocument::SetText), scrolls to the top, lays it
  // out and repaints. False for a damaged container: the view is then empty.
  bool SetText(std::span<const std::uint8_t> source, bool skipResources);
  // Reads the whole open file: a name containing ".txt" is plain markup, any
  // other a resource container. False when it cannot be read (the view is then
  // empty); the file is closed either way.
  bool LoadFile(CourseFile& file);
  void Clear();

  // Adds a paragraph (windows put headings and hints around the text) and lays out again.
  void InsertParagraph(std::size_t index, HyperParagraph paragraph);

  const std::string& Title() const { return m_document.title(); }
  const std::string& NameDirective() const { return m_document.nameDirective(); }
  const std::string& PageDirective() const { return m_document.pageDirective(); }

  // The settings (normally from the preferences and the personality); lays out again when they change.
  void SetStyle(const HyperStyle& style);
  const HyperDocument& document() const { return m_document; }

  void CopyAsText();
  int scrollPosition() const { return m_scroll; }
  void ScrollTo(int position);

  virtual void OnCourseNotify(int code, void* data);
  virtual bool OnCommand(int id);
  virtual bool IsCommandEnabled(int id) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

  // Lays the text out for the current size, sets the scroll bar and the buttons.
  void Relayout();

 private:
  void RebuildButtons();
  void PlaceButtons();
  void RunSource(int index);
  QPoint ToContent(QPoint client) const { return client + QPoint(0, m_scroll); }
  QRect ToClient(const QRect& content) const { return content.translated(0, -m_scroll); }
  void SetPressedInside(bool inside);

  HyperDocument m_document;
  ActivityLocator m_locator;
  QScrollBar* m_scrollBar = nullptr;
  std::vector<QPushButton*> m_buttons;
  int m_scroll = 0;
  std::optional<HyperTermHit> m_pressed;  // a defined term being clicked
  bool m_pressedInside = false;
};
