#pragma once

#include "library/ListElement.h"

#include <cstdint>

// Music playback: one title at a time from the play queue, faded out before anything else
// starts, with the first half second of every start muted. Main thread only; the waits keep
// the main loop running, so keys and timers are handled meanwhile.

// Fades out and replaces whatever plays, then opens and plays the element's file.
void StartMusicTitle(const ListElementPtr& element);
// Ten volume steps down, gIniFadeOutVolumeTime apart, then a stop and full volume again.
void FadeOutMusic();
// Plays from the current position with the first 500 ms muted.
void PlayMusicWithMutedLeadIn();
// Returns after ms milliseconds, handling events, timers and posted work meanwhile.
void WaitProcessingMessages(int ms);
// NEXT, and the end of a title: the next queued title.
void callFunction_NextTrack();
// The title before the playing one in the queue; refused ("???") in a jukebox, whose played
// titles have left the queue, and at the queue's first title.
void callFunction_PreviousTrack();
// Moves the playing or paused music to positionMs (clamped to the title), which plays on or
// stays paused as it was. Nothing happens without a title in the music player.
void SeekMusicTo(std::int64_t positionMs);
// Stops music (with fade-out) and video.
void callFunction_Stop();
// Pauses or continues music and video.
void callFunction_Pause();
// 10 seconds forward / back in the playing music or video.
void SkipForward();
void SkipBackward();

// The handlers of Timer_MusicTitlePlaying (counts the seconds played and the seconds until the
// next info text), Timer_MusicTitleOver (notices the end of a title or video) and
// Timer_DeleteStatusMessage.
void Timer_MusicTitlePlayingTimer();
void Timer_MusicTitleOverTimer();
void Timer_DeleteStatusMessageTimer();
