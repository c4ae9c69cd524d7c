#pragma once

#include <string>

// Duration of the header feedback text.
constexpr int kPressedKeyTextMs = 1500;

// Shows text in the header for 1500 ms after it was last set: sets gPressedKeyText, restarts
// Timer_ShowPressedKey and repaints. Works without a main window (only the text is set).
void ShowPressedKeyText(const std::string& text);

// Handler of Timer_ShowPressedKey: stops the timer, clears the text and repaints.
void Timer_ShowPressedKeyTimer();

// Runs the routine of a command name for the current menu mode and element; the only place
// that turns a command name into a call.
void DispatchCommand(const std::string& command);
