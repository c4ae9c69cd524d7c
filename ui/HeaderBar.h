#pragma once

namespace platform {
class Canvas;
}

// The header bar: logo, minimise and mouse icons, and the pressed-key feedback text.
void DrawHeaderBar(platform::Canvas& canvas);
// Redraws the header bar on the window and presents it.
void DrawHeaderBar();
