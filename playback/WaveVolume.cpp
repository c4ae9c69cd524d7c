#include "playback/WaveVolume.h"

void SetWaveVolume(std::uint32_t volume) {
    gWaveVolume = volume;
}
