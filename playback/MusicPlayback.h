#pragma once

#include "library/ListElement.h"

// Music playback routines. Main thread only.

// Fades out and replaces whatever plays, then opens and plays the element's file.
void StartMusicTitle(const ListElementPtr& element);
// NEXT: the next queued title.
void callFunction_NextTrack();
// Stops music (with fade-out) and video.
void callFunction_Stop();
// Pauses or continues music and video.
void callFunction_Pause();
// 10 seconds forward / back in the playing music or video.
void SkipForward();
void SkipBackward();
