#pragma once

#include <string>

// The message of the status line (main thread only).
inline std::string gStatusMessage;

// Sets gStatusMessage and restarts Timer_DeleteStatusMessage, so that the message is cleared
// 4000 ms after it was last set. The caller draws the status line.
void SetStatusMessage(const std::string& text);

// Clears the message without touching a timer.
void ResetStatusMessage();
