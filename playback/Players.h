#pragma once

#include "library/ElementList.h"
#include "platform/MediaPlayer.h"

#include <memory>
#include <string>

// The two players of the main window and the state of the title being played. Main thread.
inline std::unique_ptr<platform::MediaPlayer> gMusicPlayer;
inline std::unique_ptr<platform::MediaPlayer> gVideoPlayer;

// The element being played; empty when nothing plays.
inline ListElementPtr gPlayingTitle;
inline int gSecondsPlayed = 0;
inline std::string gPlayingTitleLengthText;
// The progress text last drawn in the status line.
inline std::string gProgressText;

// The player's mode, NotReady when there is no player.
platform::PlayerMode MusicPlayerMode();
platform::PlayerMode VideoPlayerMode();

// Drops both players and the state of the title played, as at start-up.
void ResetPlayers();
