// The hidden "Print Window" view that prints a tear-off bar: as tall as the bar's printed
// rows and 10000 units wide, each page ending on a whole row; the bar draws the rows.
#pragma once

#include "shell/CoreView.h"

class CTearToolBar;

class CTearBarView : public CCoreView {
 public:
  // Made over bar (hidden, never shown); bar must outlive it.
  explicit CTearBarView(CTearToolBar* bar);

  static constexpr int kPrintWidth = 10000;

  void PaintContent(QPainter& painter, const QRect& rect, bool printing) override;
  int PrintContentHeight() const override;
  int PageBreak(int top, int limit) const override;
  QString PrintTitle() const override;

  // Pages of the last print through the print command.
  int pagesPrinted() const { return m_pages; }
  bool OnCommand(int id) override;

 private:
  CTearToolBar* m_bar;
  int m_pages = 0;
};
