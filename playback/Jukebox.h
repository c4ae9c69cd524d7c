#pragma once

#include "library/ListElement.h"

// Jukebox and shuffle commands. The element arguments may be null where the dispatcher passes
// the current element without checking it. Main thread only.
void callFunction_Jukebox(const ListElementPtr& element);
void callFunction_JukeboxDir(const ListElementPtr& folder);
void callFunction_Select_Shuffle();
void callFunction_DeleteFromJukebox(const ListElementPtr& element);
void callFunction_JukeboxUp(const ListElementPtr& element);
void callFunction_JukeboxDown(const ListElementPtr& element);
