#pragma once

// Mouse input of the main window. Everything here runs on the main thread.
//
// The window's mouse events arrive in the four Form handlers below. From them the handlers
// derive the events a desktop toolkit would deliver: a left button released without a double
// click is a click (FormClick), the second press of a double click is a double click
// (FormDblClick), and every wheel step is one wheel-up or wheel-down event. Presses on a
// visible picture control (the album cover, the full-window photo) go to that control instead
// of the window.

// Mouse events of the main window, in window pixels. button: 1 left, 2 middle, 3 right.
// clicks counts the presses in quick succession at one place (2 is a double click).
void FormMouseDown(int button, int x, int y, int clicks);
void FormMouseUp(int button, int x, int y);
void FormMouseMove(int x, int y);
// Wheel steps: positive away from the user (up), negative towards the user (down).
void FormMouseWheel(int steps, int x, int y);

// The derived events, at the pointer position of the release or of the second press.
void FormClick(int x, int y);
void FormDblClick(int x, int y);
// One wheel step each: half a page down or up.
void FormMouseWheelDown();
void FormMouseWheelUp();

// Holding a scrollbar arrow: the delay timer starts the repetition, the repeat timer moves one
// row each time it fires. The repeat interval tells the direction: 49 ms up, 50 ms down.
inline constexpr int kHoldScrollbarUpInterval = 49;
inline constexpr int kHoldScrollbarDownInterval = 50;
void Timer_HoldScrollbarDelayTimer();
void Timer_HoldScrollbarUpOrDownTimer();

// Hit tests against the screen layout; pure functions of the layout values and the state.

// The screen row of the list under the point, -1 outside the list area or below the last
// row the current mode draws. Whether an element is shown there is not tested.
int ListRowAt(int x, int y);

enum class ScrollbarPart { None, UpArrow, TrackAboveThumb, Thumb, TrackBelowThumb, DownArrow };
// The part of the scrollbar under the point. While every element fits into the rows there is
// no thumb, and the whole track answers Thumb (a click there does nothing).
ScrollbarPart ScrollbarPartAt(int x, int y);

enum class HeaderPart { None, HomeButton, MinimizeIcon, MouseIcon, Caption };
HeaderPart HeaderPartAt(int x, int y);

// The menubar slot under the point (0 the top slot), -1 outside the menubar's slots.
int MenubarSlotAt(int x, int y);

// The part of the media buttons picture under the point, 0 (leftmost) to 4, -1 for none.
int MediaButtonAt(int x, int y);

// Forgets a press, a pending click and a header drag, as at start-up.
void ResetMouseState();
