// The Search dialog (3021, modeless): the search text, how its words combine, the case
// and pattern options, what becomes of the results, and which activity types and lessons
// are searched. Its settings and the continuation of a display search belong to the
// program, not to the dialog: they outlive closing it, and Find Next runs them without it.
//
// In display mode a search stops at the first hit and launches it; the button then reads
// "Next" and the next search goes on after that file. In the two bookmark modes a search
// collects up to 100 hits into the learner's bookmark list and shows the Bookmarks bar.
#pragma once

#include <QtWidgets/QDialog>
#include <functional>
#include <optional>

#include "search/CourseSearch.h"
#include "shell/CourseNotify.h"

class ContentsTable;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QLayout;
class QPushButton;
class StudentRecord;

// The program-wide state of the search.
struct SearchSession {
  SearchSettings settings;
  std::optional<SearchContinuation> continuation;
  bool zoomed = false;  // the dialog shows its upper part only
};

// What a search needs from the running program; the defaults use the program's contents,
// course folders, launcher, learner record and main frame. Tests replace them.
struct SearchLinks {
  std::function<const ContentsTable&()> contents;
  LessonFolderFinder findFolder;
  std::function<void(const ActivityLocator&)> launch;
  std::function<StudentRecord*()> record;
  std::function<void()> showBookmarks;  // shows the Bookmarks bar and brings it to the top
  std::function<bool()> progressFileOpen;
};

class CSearchDlg : public QDialog, public CourseNotifyTarget {
 public:
  enum ControlId {
    kSearchButton = 1,
    kCloseButton = 2,
    kCaseCheck = 2113,
    kLessonList = 2114,
    kLessonsAll = 2115,
    kLessonsNone = 2116,
    kAndRadio = 2118,
    kAsIsRadio = 2119,
    kOrRadio = 2120,
    kAddRadio = 2121,
    kReplaceRadio = 2122,
    kDisplayRadio = 2123,
    kRegexCheck = 2124,
    kTextEdit = 2125,
    kTypeList = 2126,
    kTypesAll = 2127,
    kTypesNone = 2128,
    kZoomButton = 2129,
  };

  static SearchSession& Session();
  static void SetLinks(SearchLinks links);
  // The links in force: those set, the program's own for the rest.
  static SearchLinks Links();

  // Find: opens the dialog under parent, or brings the open one forward.
  static CSearchDlg* Open(QWidget* parent);
  static CSearchDlg* Instance();
  // Find Next is offered while a display search has a continuation.
  static bool CanFindNext() { return Session().continuation.has_value(); }
  // Runs the search on the session's settings, with a progress dialog over parent.
  static void RunSearch(QWidget* parent);

  explicit CSearchDlg(QWidget* parent = nullptr);
  ~CSearchDlg() override;

  // The button (or Enter): the search, then the dialog brought up to date.
  void Search();
  void SetZoomed(bool zoomed);

  QLineEdit* textEdit() const { return m_text; }
  QAbstractButton* control(int id) const;
  QListWidget* typeList() const { return m_types; }
  QListWidget* lessonList() const { return m_lessons; }
  QPushButton* searchButton() const { return m_searchButton; }
  QWidget* lowerPart() const { return m_lower; }

  void OnCourseNotify(int code, void* data) override;

 private:
  void BuildControls();
  QLayout* BuildTextRow(QPushButton*& close);
  QLayout* BuildOptions();
  QLayout* BuildLists();
  void ConnectControls(QPushButton* close);
  void ShowSettings();
  void TakeSettings();  // the controls into the session; a change ends the continuation
  void UpdateButtons();

  QLineEdit* m_text = nullptr;
  QButtonGroup* m_method = nullptr;
  QButtonGroup* m_results = nullptr;
  QCheckBox* m_case = nullptr;
  QCheckBox* m_regex = nullptr;
  QListWidget* m_types = nullptr;
  QListWidget* m_lessons = nullptr;
  QPushButton* m_searchButton = nullptr;
  QPushButton* m_zoomButton = nullptr;
  QWidget* m_lower = nullptr;
  bool m_showing = false;  // the controls are being set from the session
};
