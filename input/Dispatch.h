#pragma once

#include <cstdint>
#include <string>

// Two-digit number entry, armed by Shift with "-": gFirstDigit is -1 until the first digit
// arrives. The armed state has no timeout and survives mode changes. Main thread only.
inline bool gTwoDigitEntry = false;
inline std::int32_t gFirstDigit = -1;
// Disarms the two-digit entry, as at start-up.
void ResetDispatchState();

// Runs the routine of a command name for the current menu mode and element; the only place
// that turns a command name into a call. Unknown names do nothing.
void DispatchCommand(const std::string& command);

// Goes to the parent level of the current mode (the main menu from a root folder, the list of
// playlists from a playlist). Modes without a parent level only log an error.
void callFunction_Back();

// A digit key (0..9): selects and activates the list element of that number, or collects the
// first digit of a two-digit number. Does nothing in the title search, whose field takes the
// digits.
void SelectByNumber(int digit);
// Scrolls list index n into view, highlights it and activates it; an index outside the list
// does nothing after logging.
void SelectListIndex(int index);
