#pragma once

#include "library/ElementList.h"

#include <string>

// The photos of the folder being viewed and the one shown. Main thread only.
inline TElementList gDiashowPhotoList;
inline int gDiashowPhotoIndex = 0;
inline std::string gCurrentPhotoTitle;
// Forgets the photos being viewed.
void ResetPhotoView();

// Shows a photo of the current folder full-window (mmPhotoView).
void OpenPhotoView(const ListElementPtr& photo);
void callDiashowFunction_NextPhoto();
void callDiashowFunction_PreviousPhoto();
// DIASHOW: starts the external diashow program on the current folder.
void callDiashowFunction_StartDiashow();
