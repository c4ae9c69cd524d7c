#pragma once

#include "library/ElementList.h"

#include <string>
#include <vector>

// The photos of the folder being viewed and the one shown. Main thread only.
inline TElementList gDiashowPhotoList;
inline int gDiashowPhotoIndex = 0;
inline std::string gCurrentPhotoTitle;
// The title the caption shows: gCurrentPhotoTitle as it was when the caption was last drawn, so
// that a repaint in between keeps the caption as it is.
inline std::string gCaptionPhotoTitle;
// Forgets the photos being viewed and stops decoding ahead.
void ResetPhotoView();
// Stops the worker that decodes the next photo ahead; the main window calls it before its
// loop goes.
void StopPhotoDecodeAhead();

// Shows a photo of the current folder full-window (mmPhotoView).
void OpenPhotoView(const ListElementPtr& photo);
// Shows element gDiashowPhotoIndex of gDiashowPhotoList and, 50 ms later, its title.
void ShowPhotoNumber();
// Loads the photo into the full-window picture control and draws its caption.
void ShowPhoto(const ListElementPtr& photo);
// Draws the caption again on top of the photo, now with the new photo's title.
void Timer_DiaShowShowTitleTimer();
void callDiashowFunction_NextPhoto();
void callDiashowFunction_PreviousPhoto();
// DIASHOW: starts the external diashow program on the current folder.
void callDiashowFunction_StartDiashow();
// The argument vector the diashow program is started with, after its own name.
std::vector<std::string> DiashowArguments();
