#pragma once

#include "library/ListElement.h"

// The video panel: shown while a video runs, on the cover area or filling the whole window.
// Main thread only.
inline bool gVideoPanelVisible = false;
inline bool gVideoPanelFullscreen = false;
// A stop of the video player is not its natural end (set by the user's stop and by Back).
inline bool gIgnoreVideoEnd = false;
void ResetVideoPanel();

// Starts a video in the panel on the cover area; music stops.
void StartVideoTitle(const ListElementPtr& element);
// FULLSCREEN_TOGGLE: while a video plays or is paused, moves the panel between the cover area
// and the whole window.
void ToggleVideoFullscreen();
void HideVideoPanel();
// The video player plays or is paused in a panel that fills the whole window.
bool VideoFillsWindow();
