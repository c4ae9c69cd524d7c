#pragma once

#include "library/ListElement.h"
#include "platform/Canvas.h"

// The video panel: shown while a video runs, on the cover area or filling the whole window.
// Main thread only.
inline bool gVideoPanelVisible = false;
inline bool gVideoPanelFullscreen = false;
// A stop of the video player is not its natural end (set by the user's stop, by Back at the
// video root and by every music start).
inline bool gIgnoreVideoEnd = false;
void ResetVideoPanel();

// Starts a video in the panel on the cover area; music stops at once, without a fade.
void StartVideoTitle(const ListElementPtr& element);
// FULLSCREEN_TOGGLE: while a video plays or is paused, moves the panel between the cover area
// and the whole window.
void ToggleVideoFullscreen();
// The video has played to its end: a panel filling the window gives the screen back.
void VideoTitleOver();
void HideVideoPanel();
// The video player plays or is paused in a panel that fills the whole window.
bool VideoFillsWindow();

// Where the panel lies: the cover area, or the whole window.
platform::Rect VideoPanelRect();
// Draws the shown panel: black, with the video's picture scaled into it.
void DrawVideoPanel(platform::Canvas& canvas);
// Asks for the panel to be drawn at the end of this loop pass (a new picture is ready).
void DrawVideoPanel();
