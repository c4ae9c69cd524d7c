#pragma once

#include <cstdint>

// The application's own output volume: low word left, high word right, 0 to 0xFFFF each.
// The music player applies it; the system mixer is never touched.
inline std::uint32_t gWaveVolume = 0xFFFFFFFFu;

void SetWaveVolume(std::uint32_t volume);

// Back to full volume without applying it to a player.
void ResetWaveVolume();
