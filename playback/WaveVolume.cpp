#include "playback/WaveVolume.h"

#include "platform/StartValues.h"

namespace {

const platform::StartValues kStartValues(gWaveVolume);

} // namespace

void SetWaveVolume(std::uint32_t volume) {
    gWaveVolume = volume;
}

void ResetWaveVolume() {
    kStartValues.restore();
}
