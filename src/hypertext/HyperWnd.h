// CHyperWnd: the frame of a hypertext window, holding one CHyperView. At least
// 240 by 200 pixels. Its caption is the text's title, markup removed.
//
// A plain widget for now; OnCourseNotify and OnCommand are what the course
// window framework calls (8 closes, 9 repaints, 11 brings to the front; the
// rest goes to the view).
#pragma once

#include <QtWidgets/QWidget>

class CHyperView;

class CHyperWnd : public QWidget {
 public:
  static constexpr int kMinWidth = 240;
  static constexpr int kMinHeight = 200;

  // view: the window's view (a derived view class), or null for a plain CHyperView.
  explicit CHyperWnd(QWidget* parent = nullptr, CHyperView* view = nullptr);

  CHyperView* view() const { return m_view; }
  // Sets the caption from the view's title; keeps the caption when the title is empty.
  void UpdateCaption();

  virtual void OnCourseNotify(int code, void* data);
  virtual bool OnCommand(int id);
  virtual bool IsCommandEnabled(int id) const;

 private:
  CHyperView* m_view;
};
