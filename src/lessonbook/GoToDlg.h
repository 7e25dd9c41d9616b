// The "Go To Page" dialog (3005) of the Lesson Book: an entry showing the current page
// as "%d-%d", selected, and "Go" and "Cancel". "Go" turns the book to the page the entry
// names and closes the dialog; an entry that names no page shows the invalid-page
// notice and the dialog stays open.
#pragma once

#include <QtWidgets/QDialog>

class CPageWnd;
class QLineEdit;

class CGoToDlg : public QDialog {
 public:
  CGoToDlg(CPageWnd& book, QWidget* parent = nullptr);

  QLineEdit* entry() const { return m_entry; }
  // The "Go" button's work; true when the book turned and the dialog closed.
  bool Go();

 private:
  CPageWnd& m_book;
  QLineEdit* m_entry = nullptr;
};
