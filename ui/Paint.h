#pragma once

namespace platform {
class Canvas;
}

// Draws the whole screen from the current state into the back buffer.
void PaintMainScreen(platform::Canvas& canvas);
