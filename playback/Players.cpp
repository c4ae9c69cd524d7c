#include "playback/Players.h"

platform::PlayerMode MusicPlayerMode() {
    return gMusicPlayer ? gMusicPlayer->mode() : platform::PlayerMode::NotReady;
}

platform::PlayerMode VideoPlayerMode() {
    return gVideoPlayer ? gVideoPlayer->mode() : platform::PlayerMode::NotReady;
}
