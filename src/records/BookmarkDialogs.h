// The dialogs of the Bookmarks bar: annotate (3011), custom icon (3009), sort (3010).
#pragma once

#include <QtWidgets/QDialog>
#include <string>

#include "records/BookmarkList.h"

class QButtonGroup;
class QListWidget;
class QPlainTextEdit;

// "Annotate Bookmark Text": a multi-line edit pre-filled with the bookmark's text.
class CAnnotateDlg : public QDialog {
 public:
  CAnnotateDlg(const std::string& text, QWidget* parent = nullptr);  // text: course bytes
  std::string Text() const;                                          // course bytes
  QPlainTextEdit* editor() const { return m_edit; }

 private:
  QPlainTextEdit* m_edit;
};

// "Choose Custom Bookmark Icon": icons 5003 to 5014; the choice is the mark 1 to 12.
class CCustomIconDlg : public QDialog {
 public:
  explicit CCustomIconDlg(int currentMark, QWidget* parent = nullptr);
  int ChosenMark() const;  // 0 when nothing is chosen
  QListWidget* icons() const { return m_icons; }

 private:
  QListWidget* m_icons;
};

// "Sort Bookmarks": "by Sequence", "by Name", "by Icon Type".
class CSortDlg : public QDialog {
 public:
  explicit CSortDlg(QWidget* parent = nullptr);
  BookmarkOrder Order() const;
  void SetOrder(BookmarkOrder order);

 private:
  QButtonGroup* m_group;
};

// The question before a save replaces an existing file: "<path> already exists.  Do you
// want to replace it?"; true when the learner answers Yes.
bool ConfirmOverwrite(QWidget* parent, const QString& path);
