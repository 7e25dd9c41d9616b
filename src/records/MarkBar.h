// The Bookmarks bar (command and window id 9087, placement key 10): the learner's
// bookmark list, drawn by a CMarkList, with the context menu of bookmark commands.
//
// The frame's Bookmarks tear-off bar (CBookmarksBar in the shell) hosts the list and keeps
// this object, unshown, for the commands; the list, the commands and the drop rules do not
// depend on what hosts them, and the dock widget stands alone in the records' own tests.
//
// Hand-over points to parts of the program that are not here yet: launching a bookmark
// (the activity launcher) and turning the Lesson Book to it are the two functions of
// BookmarkLaunch; a drop of a bookmark onto a Lesson Book page or the asterisk window is
// theirs to accept, with the data of BookmarkMimeData (BookmarkClipboard.h).
#pragma once

#include <QtWidgets/QDockWidget>
#include <functional>
#include <string>

#include "records/MarkList.h"
#include "records/StudentRecord.h"

class QMenu;
class QPagedPaintDevice;

struct BookmarkLaunch {
  // Starts the activity; turnLessonBook: turn the Lesson Book to it first.
  std::function<void(const ActivityLocator&, bool turnLessonBook)> launch;
  // Turns the Lesson Book to the locator's page and activates its window.
  std::function<void(const ActivityLocator&)> locate;
  // Whether the Lesson Book window exists.
  std::function<bool()> lessonBookOpen;
};

class CMarkBar : public QDockWidget, private CMarkListOwner {
  Q_OBJECT
 public:
  static constexpr int kPlacementKey = 10;

  explicit CMarkBar(StudentRecord& record, QWidget* parent = nullptr);
  ~CMarkBar() override;

  CMarkList* list() const { return m_list; }
  StudentRecord& record() const { return m_record; }
  void SetLaunch(BookmarkLaunch launch) { m_launch = std::move(launch); }
  // Chooses the file of Load, Merge (save false) and Save (save true); an empty result
  // cancels. The default shows the standard file dialogs.
  void SetFileChooser(std::function<QString(bool save)> chooser) { m_chooseFile = std::move(chooser); }
  // What "Hide Bookmarks" does when something else shows the list (the frame's bar, which
  // toggles with command 9087); by default this widget hides itself.
  void SetHideHandler(std::function<void()> hide) { m_hide = std::move(hide); }
  // Asks whether an existing file may be replaced (the standard question by default).
  void SetOverwriteQuestion(std::function<bool(const QString& path)> ask) { m_confirmOverwrite = std::move(ask); }

  bool CommandEnabled(int id) const;
  void OnCommand(int id);
  // The context menu with each command's enabled state; the caller owns it.
  QMenu* BuildMenu(QWidget* parent);

  // Prints the list: whole rows per page, the bar's title at the top, "page %d" at the
  // bottom. Returns the number of pages.
  int PrintTo(QPagedPaintDevice& device);

  // Re-measures after the list or the learner's text size changed (kNotifyBookmarks and kNotifyPreferences).
  void Refresh();

 private:
  int MarkCount() const override;
  const ActivityLocator* MarkLocator(int row) const override;
  std::string MarkText(int row) const override;
  void MarkChosen(int row) override;
  void MarkContextMenu(int row, const QPoint& globalPos) override;
  bool AcceptsDrop(const QMimeData* data) const override;
  void Dropped(const QMimeData* data, int row, int fromRow) override;

  void RunCommand(int id);
  const ActivityLocator* Selected() const;
  void LoadFile(bool replace);
  void SaveFile();
  void Print();
  void Copy();
  void Paste();

  StudentRecord& m_record;
  CMarkList* m_list;
  BookmarkLaunch m_launch;
  std::function<QString(bool save)> m_chooseFile;
  std::function<bool(const QString& path)> m_confirmOverwrite;
  std::function<void()> m_hide;
  StudentRecord::BookmarksChangedHook m_previousHook;
};
