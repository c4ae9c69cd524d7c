#pragma once

#include <functional>

namespace platform {
class Canvas;
}

// The back buffer of the main window; null when there is no window (unit tests).
platform::Canvas* ScreenCanvas();
// Shows the back buffer in the window.
void PresentScreen();
// Draws one region into the back buffer and presents it; does nothing without a window.
void RedrawOnScreen(const std::function<void(platform::Canvas&)>& draw);
