#pragma once

#include "platform/Canvas.h"

// Screen layout values in pixels, computed from the resolution, the row counts and the skin's
// fonts and pictures by ComputeScreenLayout. Main thread only.

inline int gLeftColumnWidth = 0;
inline platform::Rect gHeaderBarRect;
inline int gHeaderTextY = 0;
inline int gFolderNameX = 0;
inline int gFolderNameY = 0;
inline int gFolderNameBottom = 0;
inline platform::Rect gStatusLineRect;
inline int gStatusTop = 0;
inline int gStatusTextX = 0;
inline int gStatusTextY = 0;
inline int gProgressX = 0;
inline int gMediaButtonsLeft = 0;
inline int gMediaButtonsY = 0;
inline int gTitlebarLeft = 0;
inline int gTitlebarRight = 0;
inline int gTitlebarSplitLeft = 0;
inline int gTitlebarSplitRight = 0;
inline int gListTop = 0;
inline int gListBottom = 0;
inline int gTitlebarHeight = 1;
inline int gTitlebarHeightMainmenu = 1;
inline int gNumberX = 0;
inline int gIconX = 0;
inline int gTextX = 0;
inline int gLengthX = 0;
inline int gRatingX = 0;
inline int gNewIconX = 0;
inline int gOptionValueX = 0;
// Scrollbar track (SL, ST, SR, SB).
inline platform::Rect gScrollbarRect;
inline platform::Rect gCoverRect;
inline platform::Rect gMenubarRect;
inline int gMenubarHeight = 1;
inline int gMenubarCaptionX = 0;
inline int gMenubarIconSize = 0;
inline platform::Rect gPhotoNameRect;
inline platform::Rect gPhotoTitleRect;
// Nominal height of the list icons, used for centring them in a row; set once at start-up.
inline int gIconHeight = 32;
inline constexpr platform::Color gColorRatingStars = 3398906;

// Computes every layout value from the configured resolution and row counts.
void ComputeScreenLayout();
// Puts every layout value back to its start-up state, before any layout was computed.
void ResetScreenLayout();

// x rounded to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double x);
