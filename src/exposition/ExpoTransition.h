// The arithmetic of timed transitions: how much of an entering or leaving object is
// hidden at a playback position, which part of it a wipe shows, and the clip shapes
// that wipes and dances paint through. Everything is recomputed from the position on
// every tick, so a seek replays a transition exactly and a pause freezes it.
//
// Positions and durations are samples of the 22 050 Hz narration clock.
#pragma once

#include <QtCore/QRect>
#include <QtGui/QRegion>
#include <cstdint>
#include <random>

constexpr std::int64_t kExpoClockRate = 22050;

// A duration in seconds as samples; negative, not-a-number and absurd values give 0, and a
// duration is held to one day so that no position arithmetic can overflow.
std::int64_t DurationSamples(double seconds);

// The direction a leaving object takes so that its exit undoes the entrance
// (left <-> right, bands <-> bands_backwards, ...); other codes are unchanged.
int ExitDirection(int direction);
// Directions drawn from the opposite side (right, down, out_in, the _backwards forms).
bool IsReversedDirection(int direction);
// Whether code is one of the words `direction` accepts.
bool IsDirectionWord(int direction);

// k of 16 columns shown, spread evenly; the index is held to 0..16.
std::uint32_t BandMask(int index);

// The hidden fraction of an object at position p, 1 (hidden) .. 0 (plain).
struct HiddenFraction {
  double hidden = 0;
  bool inWindow = false;  // start <= p < start + duration
  bool remove = false;    // an exit that has ended
  bool pending = false;   // p < start: the transition has not begun yet (after a seek back)
};
HiddenFraction ComputeHiddenFraction(bool entrance, std::int64_t start, std::int64_t duration, std::int64_t p);

// What a wipe shows at hidden fraction h of an object of size w x t, relative to the
// object's top-left: the visible rectangle (edges exclusive), the diagonal length and
// the band mask (meaningful for their own directions only).
struct WipeState {
  QRect visible;
  int diagonal = 0;
  std::uint32_t bandMask = 0xFFFF;
};
WipeState ComputeWipe(int direction, double h, int w, int t);

// The clip a wipe paints through, in the object's coordinates offset to objectRect's
// top-left; bounds limits the strips of bands and blinds (the painted area). An
// empty optional-like result (all == true) means "no clip".
struct ExpoClip {
  bool all = true;
  QRegion region;
};
ExpoClip WipeClip(int direction, const QRect& objectRect, const WipeState& wipe, const QRect& bounds);

// The phase (0..7) of a dance at a millisecond clock value; 64-bit arithmetic, so no
// frequency overflows.
int DancePhase(int direction, int frequency, std::uint32_t milliseconds);
// The dance pattern at that phase, within objectRect and bounds. noise and shimmer
// draw their dots from random, a generator private to the scene.
ExpoClip DanceClip(int direction, int frequency, std::uint32_t milliseconds, const QRect& objectRect,
                   const QRect& bounds, std::minstd_rand& random);
