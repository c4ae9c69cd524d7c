#pragma once

#include "library/ElementList.h"
#include "platform/MediaPlayer.h"

#include <memory>
#include <string>

// The two players of the main window and the state of the title being played. Main thread.
inline std::unique_ptr<platform::MediaPlayer> gMusicPlayer;
inline std::unique_ptr<platform::MediaPlayer> gVideoPlayer;

// The element being played (a title or a video); empty when nothing plays.
inline ListElementPtr gPlayingTitle;
// The playing title's length in whole seconds, 0 when none was read.
inline int gPlayingTitleSeconds = 0;
// Whole seconds played of the current title; never more than gPlayingTitleSeconds.
inline int gSecondsPlayed = 0;
inline std::string gPlayingTitleLengthText;
// The progress text last drawn in the status line.
inline std::string gProgressText;
// A stopped music player is not the natural end of a title (the user's stop, a video start).
inline bool gIgnoreMusicEnd = false;
// A 10-second skip is under way; a key handled while it waits does not skip again.
inline bool gSkipBusy = false;

// The player's mode, NotReady when there is no player.
platform::PlayerMode MusicPlayerMode();
platform::PlayerMode VideoPlayerMode();
bool IsPlayingOrPaused(platform::PlayerMode mode);

// A player that opens nothing: every open fails with `reason`. It stands in for a player that
// could not be created, so that a start reports why nothing plays.
std::unique_ptr<platform::MediaPlayer> UnavailablePlayer(std::string reason);

// Drops both players and the state of the title played, as at start-up.
void ResetPlayers();
