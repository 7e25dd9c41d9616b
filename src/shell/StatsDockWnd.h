// The dockable frame of a tear-off bar: docks on any side of the main frame like a
// toolbar, or floats as its own small window, resizable from every edge. Closing it
// hides the bar (which keeps its state) and broadcasts kNotifyBarShown. While it floats,
// its rectangle is kept under the bar's placement key in the window table. Notification
// 7 carries the bar (the CTearToolBar).
#pragma once

#include <QtCore/QMargins>
#include <QtWidgets/QDockWidget>

#include "course/CommandIds.h"
#include "course/StringIds.h"

class CTearToolBar;
class QTimer;

// The four tear-off bars: command (and window) id, title string, placement key.
struct TearBarInfo {
  int id;
  int titleId;  // also the help context
  int placementKey;
};
// In the order Table of Contents, Index, Glossary, Bookmarks.
inline constexpr TearBarInfo kTearBars[4] = {
    {cmd::kContentsBar, str::kBarContents, 7},
    {cmd::kIndexBar, str::kBarIndex, 8},
    {cmd::kGlossaryBar, str::kBarGlossary, 9},
    {cmd::kBookmarksBar, str::kBarBookmarks, 10},
};
const TearBarInfo* FindTearBarInfo(int id);

class CStatsDockWnd : public QDockWidget {
  Q_OBJECT
 public:
  // Takes the bar.
  CStatsDockWnd(const TearBarInfo& info, CTearToolBar* bar, QWidget* parent = nullptr);

  const TearBarInfo& info() const { return m_info; }
  CTearToolBar* bar() const { return m_bar; }

  // Shows or hides the bar and broadcasts kNotifyBarShown. A bar that is then shown and
  // floating is moved wholly onto its screen.
  void ShowBar(bool show);
  // Floats the bar with its frame's outer rectangle at rect (screen coordinates).
  void FloatAt(const QRect& rect);
  // Stores the floating rectangle under the placement key now.
  void RememberPlacement();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyLimits();
  void LayoutChanged();
  void NoteFrameMargins();

  TearBarInfo m_info;
  CTearToolBar* m_bar;
  QTimer* m_commit = nullptr;
  // The floating frame's margins as last seen on screen: a hidden window has none to
  // measure, and placing it by its inside would let it creep at every restore.
  QMargins m_frameMargins;
};
