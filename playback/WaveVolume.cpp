#include "playback/WaveVolume.h"

#include "platform/StartValues.h"
#include "playback/Players.h"

namespace {

const platform::StartValues kStartValues(gWaveVolume);

} // namespace

void SetWaveVolume(std::uint32_t volume) {
    gWaveVolume = volume;
    if (gMusicPlayer)
        gMusicPlayer->setVolume(volume);
}

void ResetWaveVolume() {
    kStartValues.restore();
}
