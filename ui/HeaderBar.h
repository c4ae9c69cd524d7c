#pragma once

namespace platform {
class Canvas;
}

// The header bar: logo, minimise and mouse icons, and the pressed-key feedback text.
void DrawHeaderBar(platform::Canvas& canvas);
// Has the header bar redrawn at the end of this loop pass.
void DrawHeaderBar();
