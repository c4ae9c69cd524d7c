#pragma once

#include <string>
#include <vector>

// Process-wide values of the program's start-up (main thread only).

// The working directory at start-up, without a trailing "/": the user's program folder, base of
// Config.ini, Ratings.dat, debug.txt and the user's own skins.
inline std::string gProgramDirectory;
// Scale factor for the skin's font sizes, chosen from the configured screen width.
inline float gFontScale = 1.0f;
// The covers the screensaver has shown in its current cycle, indexed like gFoundFrontCovers;
// as long as that list (it grows while the scan runs). Cleared at start-up.
inline std::vector<bool> gScreensaverCoverShown;

// Widest screen on which the skin's font sizes are used unscaled.
inline constexpr int kFullSizeUpToWidth = 1920;
// 0.5 below 800 pixels, 0.6 from 800, 0.75 from 1000, 0.8 from 1100, 1.0 from 1200 up to
// 1920; beyond that, width / 1920 (2.0 at 3840).
float ComputeFontScale(int screenWidth);

// A file or folder that belongs to the program (a sibling program, "Skins/NAME"): the one in
// gProgramDirectory when it is there, else the one beside the running executable (an installed
// program keeps its programs and skins there, read-only). The first path when neither exists.
std::string ProgramFile(const std::string& relativePath);

// Puts the values above back to their start-up state.
void ResetProgramState();
