// Placement arithmetic of course windows and tear-off bars, free of windows so that every
// rule can be checked on plain rectangles. The window code (shell/WindowTools.h) measures
// the windows, calls these and moves the windows to the result.
//
// Coordinates are pixels. Child windows live in the client area of the main frame's
// window area, origin (0, 0) at its top-left; tear-off bars in screen coordinates.
#pragma once

#include <QtCore/QMargins>
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSize>
#include <functional>
#include <optional>
#include <vector>

// What PlaceChildRect needs to know about a window being placed.
struct ChildPlacementInput {
  QRect outer;                       // current outer rectangle, area coordinates
  QMargins border;                   // outer less client on each side (frame, caption)
  QSize minTrack;                    // minimum and maximum track sizes of the outer
  QSize maxTrack;                    //   rectangle; equal and non-zero: fixed size
  std::optional<QRect> remembered;   // the client rectangle remembered under its key
  std::vector<QPoint> siblingCorners;  // top-left corners of the other child windows
  QSize area;                        // the client area the window lives in
  bool statusBarVisible = false;
  // Hides the status bar and returns the area's new size; called at most once.
  std::function<QSize()> hideStatusBar;
};

struct ChildPlacementResult {
  QRect outer;              // where the window goes
  bool hidStatusBar = false;
};

inline constexpr int kCascadeStep = 20;

bool IsFixedSize(const QSize& minTrack, const QSize& maxTrack);

// The placement rule:
//  1. start from the current outer rectangle;
//  2. a remembered rectangle replaces it: it is a client rectangle, so the border is put
//     back around it (a fixed-size window only takes its position);
//  3. while a sibling's top-left corner equals this one's, move 20 right and 20 down;
//  4. keep the rectangle inside the area (right, then left, bottom, then top edge);
//  5. still taller than the area with the status bar shown: hide it, measure again, and
//     keep inside the grown area;
//  6. a resizable window larger than the area or its maximum track size shrinks to the
//     smaller of the two (never below its minimum track size); a fixed-size window larger
//     than the area moves left and up by the excess, at most by its left border less 4
//     and its top border less 8 pixels.
ChildPlacementResult PlaceChildRect(const ChildPlacementInput& in);

// ---- tear-off bars ----

// Default floating positions for count bars: the first at the top-left of the free client
// area (the frame's client area not covered by docked bars, screen coordinates) moved 8
// down; each further one 80 below the previous, moved back inside the screen when a bar of
// barSize there would leave it.
std::vector<QPoint> TearBarDefaultPositions(const QRect& freeClientArea, const QRect& screen, const QSize& barSize,
                                            int count);

// Moves rect by the least amount that puts it wholly on screen (its top-left corner wins
// when it is larger than the screen).
QRect MoveOntoScreen(const QRect& rect, const QRect& screen);

// The 13 outlines of the show and hide animation between from and to: the k-th (k = 0 to
// 12) has each edge at ((12 - k) * from + k * to) / 12.
inline constexpr int kOutlineSteps = 13;
std::vector<QRect> OutlineAnimationSteps(const QRect& from, const QRect& to);
