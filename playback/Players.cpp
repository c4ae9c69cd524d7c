#include "playback/Players.h"

#include "platform/StartValues.h"

namespace {

const platform::StartValues kStartValues(gSecondsPlayed, gPlayingTitleLengthText, gProgressText);

} // namespace

platform::PlayerMode MusicPlayerMode() {
    return gMusicPlayer ? gMusicPlayer->mode() : platform::PlayerMode::NotReady;
}

platform::PlayerMode VideoPlayerMode() {
    return gVideoPlayer ? gVideoPlayer->mode() : platform::PlayerMode::NotReady;
}

void ResetPlayers() {
    kStartValues.restore();
    gMusicPlayer.reset();
    gVideoPlayer.reset();
    gPlayingTitle.reset();
}
