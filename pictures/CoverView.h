#pragma once

#include <string>

class TMainformParts;

// True while the back cover is to be shown instead of the front cover. Main thread only.
inline bool gShowBackCover = false;
// The screensaver's current cover has had its pause in the middle of the screen.
inline bool gCoverPauseDone = false;
void ResetCoverView();

// Shows a cover picture full-window (mmCoverFullscreen); an empty name leaves it for mmMusic.
void ShowCoverFullscreen(const std::string& fileName);
// COVERFULLSCREEN: the current folder's front cover full-window (its back cover when it has
// no front cover).
void ShowCurrentCoverFullscreen();
// A click on the cover control: leaves the full-window cover or the screensaver, or shows the
// current folder's front cover full-window.
void CoverImageClick();
// Every 7 s: the full-window cover turns to the other side when the folder has both.
void Timer_ChangeCoverImageTimer();

// true: shows the next cover of the screensaver; false: ends the screensaver.
void CoverShow(bool start);
// The index in gFoundFrontCovers of the next screensaver cover: random, but none twice before
// every cover has been shown once. The list must not be empty.
int ChooseScreensaverCover();
// After the idle time: the screensaver starts if the window shows one of the list screens.
void Timer_ScreensaverTimer();
// Every 10 ms: the cover slides 40 pixels to the left, pausing once in the middle.
void Timer_ScreensaverCoverShowTimer();
// The pause in the middle is over: the cover slides on.
void Timer_ScreensaverCoverShowWaitTimer();
// Any key or click leaves the full-window cover and the cover screensaver. True when it did:
// the key or click is then used up.
bool LeaveFullWindowCover();

// Applies the screensaver setting (seconds of inactivity) to Timer_Screensaver: off for 0
// seconds or less.
void ApplyScreensaverTimer(TMainformParts& form, int seconds);
