#pragma once

#include "library/ListElement.h"

// Activates a list element by the current menu mode: enters a main-menu entry, opens a folder
// or playlist, starts titles from the element to the end of the list, opens a photo, starts a
// video or a program link. The ".." element goes back one level. Main thread only.
void callFunction_Play(const ListElementPtr& element);

// Starts gActualTitleList[gActualTitleIndex]; the index must be valid.
void PlayTitleNumber();
