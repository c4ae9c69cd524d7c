#pragma once

#include "library/ElementList.h"

#include <string>

// The photos of the folder being viewed and the one shown. Main thread only.
inline TElementList gDiashowPhotoList;
inline int gDiashowPhotoIndex = 0;
inline std::string gCurrentPhotoTitle;
