#pragma once

#include <string>

// The header's short feedback text ("???", "Fehler!", the name of a command), which routines of
// every subsystem set. Main thread only.

// Duration of the header feedback text.
constexpr int kPressedKeyTextMs = 1500;

// Feedback text of the header, cleared 1500 ms after it was last set.
inline std::string gPressedKeyText;

// Shows text in the header for 1500 ms after it was last set: sets gPressedKeyText, restarts
// Timer_ShowPressedKey and repaints.
void ShowPressedKeyText(const std::string& text);

// Handler of Timer_ShowPressedKey: stops the timer, clears the text and repaints.
void Timer_ShowPressedKeyTimer();

// Clears the text, as at start-up.
void ResetPressedKeyText();
