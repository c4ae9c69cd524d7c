#pragma once

#include "library/ListElement.h"

#include <cstdint>
#include <string>

// The jukebox and the shuffle: two other ways of filling the play queue gActualTitleList.
//
// Jukebox (gPlayMode kPlayModeJukebox): queue entry 0 is the title playing or last started and
// the entries behind it wait in order; a finished title leaves the queue (callFunction_NextTrack).
// While the jukebox view (mmJukebox) is shown, its row i + 1 is queue entry i, and every change
// made here keeps the two lists in step.
//
// Shuffle (kPlayModeShuffle): every title below the current folder, or of the open playlist, in
// a random order, played once to the end like a normal queue.
//
// The element arguments may be null where the dispatcher passes the current element without
// checking it; nothing happens then. Main thread only.
void callFunction_Jukebox(const ListElementPtr& element);
void callFunction_JukeboxDir(const ListElementPtr& folder);
void callFunction_Select_Shuffle();
void callFunction_DeleteFromJukebox(const ListElementPtr& element);
void callFunction_JukeboxUp(const ListElementPtr& element);
void callFunction_JukeboxDown(const ListElementPtr& element);

// Appends a new MP3 element to gActualTitleList for every file below `folder` (with or without
// a final "/") whose name IsMP3TitleName accepts (".MP3", ".FLAC", ... anywhere), depth first in
// name order, never entering the same folder twice. A folder that cannot be read adds nothing.
void CollectMP3Files(const std::string& folder);

// A uniformly distributed integer 0 <= r < n; 0 when n < 1. One generator serves the whole run;
// it is seeded from the system at its first use. Main thread only.
int Random(int n);
// Seeds the generator, so that a test can repeat an order.
void SeedRandom(std::uint32_t seed);
// Forgets the generator; the next Random seeds a new one from the system.
void ResetRandom();
