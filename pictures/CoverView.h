#pragma once

#include <string>

class TMainformParts;

// True while the back cover is to be shown instead of the front cover. Main thread only.
inline bool gShowBackCover = false;
void ResetCoverView();

// Shows a cover picture full-window (mmCoverFullscreen); an empty name leaves it for mmMusic.
void ShowCoverFullscreen(const std::string& fileName);
// true: shows the next cover of the screensaver; false: ends the screensaver.
void CoverShow(bool start);
// Any key or click leaves the full-window cover and the cover screensaver. True when it did:
// the key or click is then used up.
bool LeaveFullWindowCover();

// Applies the screensaver setting (seconds of inactivity) to Timer_Screensaver: off for 0
// seconds or less.
void ApplyScreensaverTimer(TMainformParts& form, int seconds);
