#pragma once

#include <string>

// True while the back cover is to be shown instead of the front cover. Main thread only.
inline bool gShowBackCover = false;
void ResetCoverView();

// Shows a cover picture full-window (mmCoverFullscreen); an empty name leaves it for mmMusic.
void ShowCoverFullscreen(const std::string& fileName);
// true: shows the next cover of the screensaver; false: ends the screensaver.
void CoverShow(bool start);
