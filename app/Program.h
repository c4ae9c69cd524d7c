#pragma once

#include <array>
#include <cstdint>
#include <string>

// Process-wide values of the program's start-up (main thread only).

// The working directory at start-up, without a trailing "/": base of Config.ini, Skins,
// Ratings.dat, debug.txt and the sibling programs.
inline std::string gProgramDirectory;
// Scale factor for the skin's font sizes, chosen from the configured screen width.
inline float gFontScale = 1.0f;
// Flags of the cover-show screensaver; cleared at start-up.
inline std::array<std::uint8_t, 10000> gScreensaverCoverShown{};

// 0.5 below 800 pixels, 0.6 from 800, 0.75 from 1000, 0.8 from 1100, 1.0 from 1200.
float ComputeFontScale(int screenWidth);

// Puts the values above back to their start-up state.
void ResetProgramState();
